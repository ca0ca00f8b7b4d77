#pragma once
// Entry databases in each older layout, written from SQL text, and a recorder
// of what a rebuild reports.
#include "platform/database.h"
#include "core/database_upgrade.h"

#include <QFile>
#include <QStringList>
#include <QVariantMap>

namespace DbFixtures {

// The tables of a database of the given layout version, without rows.
inline QString layoutSql(int v) {
    QStringList contents = {"Day TEXT", "Title TEXT", "Contents TEXT"};
    if (v >= 110) contents << "Weather TEXT" << "Genre TEXT";
    if (v >= 150) contents << "Number INTEGER" << "PublishTime TEXT";
    if (v >= 200) contents << "Private INTEGER" << "TrackBack TEXT" << "Extend TEXT" << "Excerpt TEXT";
    if (v >= 210) contents << "ImportMark TEXT";
    QStringList fileDb = {"FileID INTEGER PRIMARY KEY AUTOINCREMENT", "FileName TEXT", "Day TEXT",
                          "Uploaded INTEGER", "Logged INTEGER"};
    if (v >= 150) fileDb << "Number INTEGER";
    QString sql = "CREATE TABLE Contents (" + contents.join(", ") + ");\n" + "CREATE TABLE FileDB (" +
                  fileDb.join(", ") + ");\n";
    if (v <= 100) sql += "CREATE TABLE \"Option\" (Header TEXT, Footer TEXT, Header_Log TEXT, Footer_Log TEXT);\n";
    if (v >= 100) sql += "CREATE TABLE LogDB (LogMonth TEXT, LogFileName TEXT);\n";
    if (v >= 220) {
        sql += v >= 230 ? "CREATE TABLE Memo (RecordID INTEGER PRIMARY KEY AUTOINCREMENT, No INTEGER, PublishTime TEXT, "
                          "Title TEXT, Memo TEXT, Category TEXT, IsPass INTEGER);\n"
                        : "CREATE TABLE Memo (RecordID INTEGER PRIMARY KEY AUTOINCREMENT, PublishTime TEXT, "
                          "Title TEXT, Memo TEXT);\n";
        sql += "CREATE TABLE DBInfo (VersionInfo INTEGER, IsMemoPass INTEGER, IsPass INTEGER);\n";
    } else if (v >= 100) {
        sql += "CREATE TABLE DBInfo (VersionInfo INTEGER);\n";
    }
    return sql;
}

// Inserts the values of `row` whose columns the table has; the others are
// what a database of that layout could not hold.
inline void insert(Database& db, const QString& table, const QVariantMap& row) {
    const QStringList have = db.columnsOf(table);
    QStringList names, marks;
    QVariantList values;
    for (auto it = row.begin(); it != row.end(); ++it) {
        if (!have.contains(it.key(), Qt::CaseInsensitive)) continue;
        names << it.key();
        marks << "?";
        values << it.value();
    }
    db.exec("INSERT INTO \"" + table + "\" (" + names.join(',') + ") VALUES (" + marks.join(',') + ")", values);
}

// The rows every fixture carries, as the newest layout holds them. Two
// entries share a day stored in the short form; Private is stored as the old
// engine's True (-1).
inline QList<QVariantMap> contentsRows() {
    return {
        {{"Day", "2004/1/5"}, {"Title", "朝"}, {"Contents", "本文1"}, {"Weather", "晴"}, {"Genre", "旅行"},
         {"Number", 1}, {"PublishTime", "2004/01/05 08:00:00"}, {"Private", -1}, {"TrackBack", "tb"},
         {"Extend", "続き"}, {"Excerpt", "概要"}, {"ImportMark", "group"}},
        {{"Day", "2004/1/5"}, {"Title", "夜"}, {"Contents", "本文2"}, {"Weather", "雨"}, {"Genre", "一般"},
         {"Number", 2}, {"PublishTime", "2004/01/05 21:00:00"}, {"Private", 0}, {"TrackBack", ""},
         {"Extend", ""}, {"Excerpt", ""}, {"ImportMark", ""}},
        {{"Day", "2004/12/31"}, {"Title", "大晦日"}, {"Contents", "本文3"}, {"Weather", "雪"}, {"Genre", "一般"},
         {"Number", 1}, {"PublishTime", "2004/12/31 23:59:00"}, {"Private", 0}, {"TrackBack", ""},
         {"Extend", ""}, {"Excerpt", ""}, {"ImportMark", ""}},
    };
}

// A database of layout v with the fixture rows in every table it has.
inline QString makeOldDatabase(const QString& path, int v) {
    QFile::remove(path);
    Database db(path, Database::Mode::Create);
    db.execScript(layoutSql(v));
    for (const QVariantMap& row : contentsRows()) insert(db, "Contents", row);
    insert(db, "FileDB", {{"FileName", "dimage1.jpg"}, {"Day", "2004/1/5"}, {"Number", 2}, {"Uploaded", -1},
                          {"Logged", 0}});
    insert(db, "FileDB", {{"FileName", "style.css"}, {"Day", "ALL"}, {"Number", 0}, {"Uploaded", 1}, {"Logged", 1}});
    insert(db, "FileDB", {{"FileName", "Shinny.gif"}, {"Day", "ALL"}, {"Number", 0}, {"Uploaded", 1}, {"Logged", 0}});
    if (v <= 100)
        insert(db, "Option", {{"Header", "<h1>ヘッダ</h1>"}, {"Footer", "フッタ"}, {"Header_Log", "過去ログ"},
                              {"Footer_Log", ""}});
    if (v >= 100) insert(db, "LogDB", {{"LogMonth", "2004/01"}, {"LogFileName", "200401.htm"}});
    if (v >= 220) {
        insert(db, "Memo", {{"No", 7}, {"PublishTime", "2005/01/02 03:04:05"}, {"Title", "メモ"}, {"Memo", "中身"},
                            {"Category", "買い物"}, {"IsPass", 1}});
        insert(db, "Memo", {{"No", 8}, {"PublishTime", "2005/02/02 03:04:05"}, {"Title", "無分類"}, {"Memo", "x"},
                            {"Category", ""}, {"IsPass", 0}});
    }
    if (v >= 100) insert(db, "DBInfo", {{"VersionInfo", v}, {"IsMemoPass", 1}, {"IsPass", 1}});
    return path;
}

// The log of a rebuild of layout v, in order.
inline QStringList expectedLog(int v) {
    QStringList l = {"テンポラリファイル作成中。", "テンポラリファイル作成完了。", "日記の内容のコピーを開始。",
                     "日記の内容のコピーを終了。", "ファイル登録データベースのコピーを開始。",
                     "ファイル登録データベースのコピーを終了。"};
    if (v >= 100)
        l << "ログ登録データベースのコピーを開始。" << "ログ登録データベースのコピーを終了。";
    else
        l << "ログ登録データベースのコピーはスキップ。";
    if (v >= 220) l << "Quillbyメモデータのコピーを開始。" << "Quillbyメモデータのコピーを終了。";
    if (v <= 100) l << "オプションの書き出し開始。" << "オプションの書き出しを終了。";
    if (v >= 220) l << "Database Informationのコピーを開始。" << "Database Informationのコピーを終了。";
    l << "データベースの更新終了。" << "復元中。" << "復元完了。" << "テンポラリファイルの削除中。"
      << "テンポラリファイルの削除完了。";
    return l;
}

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Recorder : DatabaseUpgrade::UpgradeProgress {
    QStringList lines;
    QList<int> maxima;
    QList<int> values;
    void log(const QString& line) override { lines << line; }
    void setMaximum(int m) override { maxima << m; }
    void setValue(int v) override { values << v; }
};

}  // namespace DbFixtures

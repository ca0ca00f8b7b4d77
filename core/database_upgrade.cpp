#include "core/database_upgrade.h"

#include "platform/database.h"
#include "platform/dates.h"
#include "platform/files.h"
#include "platform/search_index.h"
#include "core/database_file.h"
#include "core/db_version.h"
#include "core/shared_state.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DatabaseUpgrade {

namespace {

bool running = false;

// Rows are read in slices so that a large diary never sits in memory whole.
constexpr int kSliceRows = 500;

[[noreturn]] void failWith(const QString& what) { throw RuntimeError(ErrorNumber::DatabaseError, what); }

void removeDatabaseFile(const QString& path) {
    QFile::remove(path);
    DatabaseFile::removeLeftLogs(path);
}

// Gives `to` the permissions of `from`, changing its mode only where it
// differs: a disk without permissions of its own (a FAT memory stick) shows
// every file alike and refuses any change.
bool takePermissions(const QString& from, const QString& to) {
    struct stat source, target;
    if (::stat(QFile::encodeName(from).constData(), &source) != 0 ||
        ::stat(QFile::encodeName(to).constData(), &target) != 0)
        return false;
    const mode_t wanted = source.st_mode & 07777;
    return (target.st_mode & 07777) == wanted || ::chmod(QFile::encodeName(to).constData(), wanted) == 0;
}

// The rename is only durable once the folder's entry is on disk.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Yes/No values are 0/1 whatever the old file held (the old engine's True
// was -1).
int yesNo(const QVariant& v) { return v.toBool() ? 1 : 0; }

struct TableCopy {
    QString table;
    QString startLine;
    QString endLine;
    QStringList sourceColumns;
    QStringList targetColumns;
    // Values for targetColumns from one old row (in sourceColumns order);
    // returns false when the row was merged into an existing one instead.
    std::function<bool(const QVariantList& row, QVariantList& values)> map;
    // Told of each row added to the new table, with its row id there.
    std::function<void(qint64 row, const QVariantList& values)> added;
};

// Brackets, not double quotes: SQLite reads a double-quoted name that matches
// no column as a text literal, which would hide a column the old file lacks.
QString quoted(const QString& name) { return QLatin1Char('[') + name + QLatin1Char(']'); }

QString columnList(const QStringList& columns) {
    QStringList q;
    for (const QString& c : columns) q << quoted(c);
    return q.join(QStringLiteral(", "));
}

void yield() { QCoreApplication::processEvents(); }

// Serving the event loop costs more than copying a row, and a window cannot
// show more than some tens of steps a second: the copy yields once this
// much time has passed since it last did, so the window stays as responsive
// as with a yield before every row.
constexpr qint64 kYieldIntervalMs = 10;

// The progress bar is set to the rows copied so far whenever the window can
// show it: at each yield and at the end.
class PacedProgress {
public:
    explicit PacedProgress(UpgradeProgress& progress) : progress_(progress) { sinceYield_.start(); }
    // Before each row, with the rows copied so far.
    void beforeRow(qint64 done) {
        if (sinceYield_.hasExpired(kYieldIntervalMs)) show(done);
    }
    void finish(qint64 done) { show(done); }

private:
    void show(qint64 done) {
        progress_.setValue(int(qMin<qint64>(done, INT_MAX)));
        yield();
        sinceYield_.start();
    }
    UpgradeProgress& progress_;
    QElapsedTimer sinceYield_;
};

void copyTable(Database& oldDb, Database& newDb, const TableCopy& copy, UpgradeProgress& progress) {
    progress.log(copy.startLine);
    try {
        const qint64 count =
            oldDb.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(copy.table))).toLongLong();
        progress.setMaximum(count > 0 ? int(qMin<qint64>(count, INT_MAX)) : 100);

        const QString select = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT %3")
                                   .arg(columnList(copy.sourceColumns), quoted(copy.table))
                                   .arg(kSliceRows);
        QStringList marks;
        for (int i = 0; i < copy.targetColumns.size(); ++i) marks << QStringLiteral("?");
        const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(quoted(copy.table), columnList(copy.targetColumns), marks.join(','));

        Transaction tx(newDb);
        PacedProgress paced(progress);
        qint64 counter = 0;
        QVariant lastRowId = qlonglong(std::numeric_limits<qint64>::min());
        for (;;) {
            const Recordset slice = oldDb.query(select, {lastRowId});
            if (slice.isEmpty()) break;
            for (const QVariantList& r : slice.rows) {
                paced.beforeRow(counter);
                const QVariantList row = r.mid(1);
                QVariantList values;
                if (copy.map(row, values)) {
                    newDb.exec(insert, values);
                    if (copy.added) copy.added(newDb.lastInsertId(), values);
                }
                ++counter;
            }
            lastRowId = slice.rows.last().first();
        }
        tx.commit();
        if (counter > 0) paced.finish(counter);
    } catch (const RuntimeError& e) {
        QString failed = copy.startLine;
        failed.replace(QStringLiteral("を開始。"), QStringLiteral("に失敗しました。\r\n"));
        failWith(failed + e.description);
    }
    progress.log(copy.endLine);
}

TableCopy contentsCopy(int v, QHash<QString, int>& numbersOfDay) {
    TableCopy c;
    c.table = QStringLiteral("Contents");
    c.startLine = QStringLiteral("日記の内容のコピーを開始。");
    c.endLine = QStringLiteral("日記の内容のコピーを終了。");
    c.sourceColumns = {QStringLiteral("Day"), QStringLiteral("Title"), QStringLiteral("Contents")};
    if (v >= 110) c.sourceColumns << QStringLiteral("Weather") << QStringLiteral("Genre");
    if (v >= 150) c.sourceColumns << QStringLiteral("Number") << QStringLiteral("PublishTime");
    if (v >= 200)
        c.sourceColumns << QStringLiteral("Private") << QStringLiteral("TrackBack") << QStringLiteral("Extend")
                        << QStringLiteral("Excerpt");
    if (v >= 210) c.sourceColumns << QStringLiteral("ImportMark");
    c.targetColumns = {QStringLiteral("Day"),       QStringLiteral("Title"),       QStringLiteral("Contents"),
                       QStringLiteral("Weather"),   QStringLiteral("Genre"),       QStringLiteral("Number"),
                       QStringLiteral("PublishTime"), QStringLiteral("Private"),   QStringLiteral("TrackBack"),
                       QStringLiteral("Extend"),    QStringLiteral("Excerpt"),     QStringLiteral("ImportMark")};
    c.map = [v, &numbersOfDay](const QVariantList& row, QVariantList& out) {
        int i = 0;
        const QString day = normalizedDay(row[i++].toString());
        out << day << row[i] << row[i + 1];
        i += 2;
        if (v >= 110) {
            out << row[i] << row[i + 1];
            i += 2;
        } else {
            out << QStringLiteral("-") << QStringLiteral("一般");
        }
        if (v >= 150) {
            out << row[i] << row[i + 1];
            i += 2;
        } else {
            // Older layouts had no entry number; several rows of one day
            // become its entries 1, 2, ... in table order.
            out << ++numbersOfDay[day] << day + QStringLiteral(" 00:00:00");
        }
        if (v >= 200) {
            out << yesNo(row[i]) << row[i + 1] << row[i + 2] << row[i + 3];
            i += 4;
        } else {
            out << 0 << QString() << QString() << QString();
        }
        out << (v >= 210 ? row[i] : QVariant(QString()));
        return true;
    };
    return c;
}

// The template ships rows for the site-wide parts files; an old row naming
// the same file takes over that row instead of registering the file twice.
TableCopy fileDbCopy(int v, Database& newDb, QHash<QString, qint64>& templateRows) {
    const Recordset rs = newDb.query(QStringLiteral("SELECT FileID, FileName, Day FROM FileDB ORDER BY FileID"));
    for (qsizetype i = 0; i < rs.size(); ++i)
        templateRows.insert(rs.text(i, QStringLiteral("Day")) + QLatin1Char('|') + rs.text(i, QStringLiteral("FileName")),
                            rs.value(i, QStringLiteral("FileID")).toLongLong());
    TableCopy c;
    c.table = QStringLiteral("FileDB");
    c.startLine = QStringLiteral("ファイル登録データベースのコピーを開始。");
    c.endLine = QStringLiteral("ファイル登録データベースのコピーを終了。");
    c.sourceColumns = {QStringLiteral("FileName"), QStringLiteral("Day"), QStringLiteral("Uploaded"),
                       QStringLiteral("Logged")};
    if (v >= 150) c.sourceColumns << QStringLiteral("Number");
    c.targetColumns = {QStringLiteral("FileName"), QStringLiteral("Day"), QStringLiteral("Number"),
                       QStringLiteral("Uploaded"), QStringLiteral("Logged")};
    c.map = [v, &newDb, &templateRows](const QVariantList& row, QVariantList& out) {
        const QString oldDay = row[1].toString();
        const bool all = oldDay == QStringLiteral("ALL");
        const QString day = all ? oldDay : normalizedDay(oldDay);
        const QVariant number = v >= 150 ? row[4] : QVariant(all ? 0 : 1);
        const int uploaded = yesNo(row[2]);
        const int logged = yesNo(row[3]);
        const auto found = templateRows.find(day + QLatin1Char('|') + row[0].toString());
        if (found != templateRows.end()) {
            newDb.exec(QStringLiteral("UPDATE FileDB SET Number = ?, Uploaded = ?, Logged = ? WHERE FileID = ?"),
                       {number, uploaded, logged, found.value()});
            templateRows.erase(found);
            return false;
        }
        out << row[0] << day << number << uploaded << logged;
        return true;
    };
    return c;
}

TableCopy logDbCopy() {
    TableCopy c;
    c.table = QStringLiteral("LogDB");
    c.startLine = QStringLiteral("ログ登録データベースのコピーを開始。");
    c.endLine = QStringLiteral("ログ登録データベースのコピーを終了。");
    c.sourceColumns = {QStringLiteral("LogMonth"), QStringLiteral("LogFileName")};
    c.targetColumns = c.sourceColumns;
    c.map = [](const QVariantList& row, QVariantList& out) {
        out = row;
        return true;
    };
    return c;
}

TableCopy memoCopy(int v) {
    TableCopy c;
    c.table = QStringLiteral("Memo");
    c.startLine = QStringLiteral("Quillbyメモデータのコピーを開始。");
    c.endLine = QStringLiteral("Quillbyメモデータのコピーを終了。");
    c.sourceColumns = {QStringLiteral("PublishTime"), QStringLiteral("Title"), QStringLiteral("Memo")};
    if (v >= 230) c.sourceColumns << QStringLiteral("No") << QStringLiteral("Category") << QStringLiteral("IsPass");
    c.targetColumns = c.sourceColumns;
    c.map = [](const QVariantList& row, QVariantList& out) {
        out = row;
        return true;
    };
    return c;
}

void writeTextBlocks(Database& oldDb, const QString& dataPath, UpgradeProgress& progress) {
    progress.log(QStringLiteral("オプションの書き出し開始。"));
    progress.setMaximum(4);
    const QStringList columns = {QStringLiteral("Header"), QStringLiteral("Footer"), QStringLiteral("Header_Log"),
                                 QStringLiteral("Footer_Log")};
    const QStringList files = {QStringLiteral("default_up.htm"), QStringLiteral("default_down.htm"),
                               QStringLiteral("default_up_log.htm"), QStringLiteral("default_down_log.htm")};
    Recordset rs;
    try {
        rs = oldDb.query(QStringLiteral("SELECT %1 FROM [Option] LIMIT 1").arg(columnList(columns)));
    } catch (const RuntimeError& e) {
        failWith(QStringLiteral("オプションを読めません。\r\n") + e.description);
    }
    if (rs.isEmpty()) failWith(QStringLiteral("オプションのデータがありません。"));
    const QString folder = dataPath + QStringLiteral("Customize/");
    Files::makeFolder(folder);
    for (int i = 0; i < columns.size(); ++i) {
        const QString path = folder + files[i];
        if (!Files::writeText(path, rs.text(0, columns[i]) + QStringLiteral("\r\n"), true))
            failWith(QStringLiteral("ファイルに書き込めません: ") + path);
        progress.setValue(i + 1);
        yield();
    }
    progress.log(QStringLiteral("オプションの書き出しを終了。"));
}

void copyDatabaseInformation(Database& oldDb, Database& newDb, UpgradeProgress& progress) {
    progress.log(QStringLiteral("Database Informationのコピーを開始。"));
    progress.setMaximum(1);
    try {
        const Recordset rs = oldDb.query(QStringLiteral("SELECT IsMemoPass, IsPass FROM DBInfo LIMIT 1"));
        if (rs.isEmpty()) failWith(QStringLiteral("DBInfoにデータがありません。"));
        newDb.exec(QStringLiteral("UPDATE DBInfo SET IsMemoPass = ?, IsPass = ? "
                                  "WHERE rowid = (SELECT min(rowid) FROM DBInfo)"),
                   {rs.rows[0][0], rs.rows[0][1]});
    } catch (const RuntimeError& e) {
        failWith(QStringLiteral("Database Informationのコピー中に失敗しました。\r\n") + e.description);
    }
    progress.setValue(1);
    progress.log(QStringLiteral("Database Informationのコピーを終了。"));
}

void fillNewDatabase(int v, const QString& oldPath, const QString& newPath, const QString& dataPath,
                     UpgradeProgress& progress) {
    Database oldDb(oldPath, Database::Mode::ReadOnly);
    Database newDb(newPath);
    // The index is made for all the copied rows at once, with no trigger
    // noting each row on the way: a thread of its own indexes the rows as
    // they are copied.
    try {
        SearchIndex::drop(newDb);
    } catch (const RuntimeError& e) {
        failWith(QStringLiteral("検索用の索引を作成できません。\r\n") + e.description);
    }
    SearchIndex::ConcurrentBuild index(yield);
    QHash<QString, int> numbersOfDay;
    TableCopy contents = contentsCopy(v, numbersOfDay);
    contents.added = [&index](qint64 row, const QVariantList& values) { index.add(row, values[1], values[2]); };
    copyTable(oldDb, newDb, contents, progress);
    QHash<QString, qint64> templateRows;
    copyTable(oldDb, newDb, fileDbCopy(v, newDb, templateRows), progress);
    if (v >= 100)
        copyTable(oldDb, newDb, logDbCopy(), progress);
    else
        progress.log(QStringLiteral("ログ登録データベースのコピーはスキップ。"));
    if (v >= 220) copyTable(oldDb, newDb, memoCopy(v), progress);
    if (v <= 100) writeTextBlocks(oldDb, dataPath, progress);
    if (v >= 220) copyDatabaseInformation(oldDb, newDb, progress);
    try {
        index.install(newDb);
    } catch (const RuntimeError& e) {
        failWith(QStringLiteral("検索用の索引を作成できません。\r\n") + e.description);
    }
}

}  // namespace

UpgradeFolders UpgradeFolders::fromState() {
    const Shell::SharedState& s = Shell::state();
    return {s.UserPath, s.MyPath, s.DataPath};
}

bool isUpgrading() { return running; }

QString normalizedDay(const QString& day) {
    if (const auto d = Dates::parseDay(day)) return Dates::dayText(*d);
    // A day stored with a time of day ("2004/1/5 0:00:00").
    const QString first = day.trimmed().section(QLatin1Char(' '), 0, 0);
    if (first != day) {
        if (const auto d = Dates::parseDay(first)) return Dates::dayText(*d);
    }
    return day;
}

void BackupDatabase(const QString& userPath) {
    const QString database = userPath + kDatabaseFile;
    if (!Files::exists(database)) failWith(QStringLiteral("rarav.mdbが見つかりません: ") + database);
    DatabaseFile::settle(database);
    // The backup is the one good copy left when rarav.mdb is damaged; a file
    // that is not a whole database never replaces it.
    if (const QString damage = Shell::databaseDamage(database); !damage.isEmpty())
        failWith(QStringLiteral("rarav.mdbが壊れているため、diarymdb.bakを置き換えません。\r\n") + damage);
    // A backup killed half-way left its copy beside the backup.
    Files::removeLeftoverTemporariesOf(userPath + kBackupFile);
    if (!Files::copyFile(database, userPath + kBackupFile))
        failWith(QStringLiteral("バックアップファイルを作成できません: ") + userPath + kBackupFile);
    // The copy holds the whole diary: it is kept from the same accounts as
    // the database, whatever permissions an earlier backup or the default gave.
    if (!takePermissions(database, userPath + kBackupFile))
        failWith(QStringLiteral("バックアップファイルの権限を設定できません: ") + userPath + kBackupFile);
}

void UpgradeDatabase(int version, UpgradeProgress& progress) {
    UpgradeDatabase(version, progress, UpgradeFolders::fromState());
}

void UpgradeDatabase(int version, UpgradeProgress& progress, const UpgradeFolders& folders) {
    if (running) failWith(QStringLiteral("データベースの更新はすでに実行中です。"));
    running = true;
    const QString database = folders.userPath + kDatabaseFile;
    const QString oldPath = folders.userPath + kOldFile;
    const QString newPath = folders.userPath + kNewFile;
    struct Cleanup {
        QString oldPath, newPath;
        ~Cleanup() {
            removeDatabaseFile(oldPath);
            removeDatabaseFile(newPath);
            running = false;
        }
    } cleanup{oldPath, newPath};

    progress.log(QStringLiteral("テンポラリファイル作成中。"));
    removeDatabaseFile(oldPath);
    removeDatabaseFile(newPath);
    // A rebuild killed while it copied a diary left the copy beside its
    // target, as large as the diary.
    for (const QString& copy : {oldPath, newPath, database}) Files::removeLeftoverTemporariesOf(copy);
    if (!Files::exists(database)) failWith(QStringLiteral("rarav.mdbが見つかりません: ") + database);
    DatabaseFile::settle(database);
    // old.mdb and new.mdb are working copies: new.mdb reaches the disk with
    // its first commit, before it replaces rarav.mdb.
    if (!Files::copyFile(database, oldPath, Files::Sync::None))
        failWith(QStringLiteral("old.mdbを作成できません: ") + oldPath);
    const QString templatePath = folders.myPath + kTemplateFile;
    if (!Files::exists(templatePath) || !Files::copyFile(templatePath, newPath, Files::Sync::None))
        failWith(QStringLiteral("default.mdbからnew.mdbを作成できません: ") + templatePath);
    progress.log(QStringLiteral("テンポラリファイル作成完了。"));

    fillNewDatabase(version, oldPath, newPath, folders.dataPath, progress);

    progress.log(QStringLiteral("データベースの更新終了。"));
    progress.log(QStringLiteral("復元中。"));
    // One rename: rarav.mdb is either the old file or the complete new one.
    // A rarav.mdb that is a symbolic link stays one: the file it points to is
    // replaced, by a copy renamed beside it (it may lie on another disk).
    DatabaseFile::removeLeftLogs(database);
    const QFileInfo databaseInfo(database);
    if (databaseInfo.isSymLink()) {
        if (!Files::copyFile(newPath, database))
            failWith(QStringLiteral("new.mdbをrarav.mdbに置き換えられません: ") + Files::lastWriteError());
        syncFolder(QFileInfo(databaseInfo.canonicalFilePath()).absolutePath());
    } else {
        // The new file was made with the default permissions; a diary kept
        // from the machine's other accounts stays so.
        if (!takePermissions(database, newPath))
            failWith(QStringLiteral("new.mdbをrarav.mdbに置き換えられません: ") +
                     QString::fromLocal8Bit(strerror(errno)));
        if (::rename(QFile::encodeName(newPath).constData(), QFile::encodeName(database).constData()) != 0)
            failWith(QStringLiteral("new.mdbをrarav.mdbに置き換えられません: ") +
                     QString::fromLocal8Bit(strerror(errno)));
        syncFolder(folders.userPath);
    }
    progress.log(QStringLiteral("復元完了。"));

    progress.log(QStringLiteral("テンポラリファイルの削除中。"));
    removeDatabaseFile(oldPath);
    removeDatabaseFile(newPath);
    progress.log(QStringLiteral("テンポラリファイルの削除完了。"));
}

}  // namespace DatabaseUpgrade

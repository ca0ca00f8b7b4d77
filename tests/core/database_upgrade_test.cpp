#include "platform/codepage.h"
#include "platform/database.h"
#include "platform/files.h"
#include "core/database_upgrade.h"
#include "core/db_version.h"
#include "platform/search_index.h"
#include "tests/core/database_fixtures.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using namespace DbFixtures;

namespace {

struct Folders {
    TempFolder tmp;
    DatabaseUpgrade::UpgradeFolders paths;
    Folders() {
        Files::makeFolder(tmp.file("prog"));
        Files::makeFolder(tmp.file("data"));
        paths = {tmp.path(), tmp.file("prog/"), tmp.file("data/")};
        makeDatabase(paths.myPath + "default.mdb");
    }
    QString database() const { return paths.userPath + "rarav.mdb"; }
};

QStringList row(const Recordset& rs, qsizetype i) {
    QStringList out;
    for (const QVariant& v : rs.rows[i]) out << (v.isNull() ? QStringLiteral("<null>") : v.toString());
    return out;
}

}  // namespace

// Every layout the rebuild knows, and one version between them that it must
// handle by the same thresholds.
class UpgradeEveryLayout : public ::testing::TestWithParam<int> {};

TEST_P(UpgradeEveryLayout, CarriesEachColumnAsTheLayoutAllows) {
    const int v = GetParam();
    Folders f;
    makeOldDatabase(f.database(), v);
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(v, progress, f.paths);

    EXPECT_EQ(progress.lines, expectedLog(v));
    EXPECT_FALSE(Files::exists(f.paths.userPath + "old.mdb"));
    EXPECT_FALSE(Files::exists(f.paths.userPath + "new.mdb"));
    EXPECT_EQ(Shell::GetDBVersion(f.database()), Shell::kCurrentDBVersion);

    Database db(f.database(), Database::Mode::ReadOnly);
    const Recordset c = db.query(
        "SELECT Day, Number, Title, Contents, Weather, Genre, PublishTime, Private, TrackBack, Extend, Excerpt, "
        "ImportMark FROM Contents ORDER BY rowid");
    ASSERT_EQ(c.size(), 3);
    const bool w = v >= 110, n = v >= 150, p = v >= 200, m = v >= 210;
    EXPECT_EQ(row(c, 0), QStringList({"2004/01/05", "1", "朝", "本文1", w ? "晴" : "-", w ? "旅行" : "一般",
                                      n ? "2004/01/05 08:00:00" : "2004/01/05 00:00:00", p ? "1" : "0",
                                      p ? "tb" : "", p ? "続き" : "", p ? "概要" : "", m ? "group" : ""}));
    EXPECT_EQ(row(c, 1), QStringList({"2004/01/05", "2", "夜", "本文2", w ? "雨" : "-", "一般",
                                      n ? "2004/01/05 21:00:00" : "2004/01/05 00:00:00", "0", "", "", "", ""}));
    EXPECT_EQ(row(c, 2).mid(0, 2), QStringList({"2004/12/31", "1"}));

    // The template's own site-wide rows stay first; the old Shinny.gif row
    // merges into the template's instead of registering it twice.
    const Recordset files = db.query("SELECT FileName, Day, Number, Uploaded, Logged FROM FileDB ORDER BY FileID");
    ASSERT_EQ(files.size(), 7);
    EXPECT_EQ(row(files, 0), QStringList({"Shinny.gif", "ALL", "0", "1", "0"}));
    EXPECT_EQ(row(files, 1), QStringList({"Cloudy.gif", "ALL", "0", "0", "0"}));
    EXPECT_EQ(row(files, 5), QStringList({"dimage1.jpg", "2004/01/05", n ? "2" : "1", "1", "0"}));
    EXPECT_EQ(row(files, 6), QStringList({"style.css", "ALL", "0", "1", "1"}));

    EXPECT_EQ(db.scalar("SELECT count(*) FROM LogDB").toInt(), v >= 100 ? 1 : 0);

    const Recordset memos = db.query("SELECT RecordID, No, PublishTime, Title, Memo, Category, IsPass FROM Memo");
    ASSERT_EQ(memos.size(), v >= 220 ? 2 : 0);
    if (v >= 220) {
        EXPECT_EQ(row(memos, 0), v >= 230 ? QStringList({"1", "7", "2005/01/02 03:04:05", "メモ", "中身", "買い物", "1"})
                                           : QStringList({"1", "<null>", "2005/01/02 03:04:05", "メモ", "中身", "", "0"}));
    }

    const Recordset info = db.query("SELECT VersionInfo, IsMemoPass, IsPass FROM DBInfo");
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(row(info, 0), v >= 220 ? QStringList({"230", "1", "1"}) : QStringList({"230", "0", "0"}));

    const QString up = f.paths.dataPath + "Customize/default_up.htm";
    EXPECT_EQ(Files::exists(up), v <= 100);
    if (v <= 100) {
        EXPECT_EQ(bytesOf(up), Codepage::fromUnicode("<h1>ヘッダ</h1>\r\n"));
        EXPECT_EQ(bytesOf(f.paths.dataPath + "Customize/default_down_log.htm"), QByteArray("\r\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, UpgradeEveryLayout, ::testing::Values(0, 100, 101, 110, 120, 150, 200, 210, 220, 230));

TEST(UpgradeDatabase, EmptyTablesLogBothLinesAndShowAHundredAsMaximum) {
    Folders f;
    {
        Database db(f.database(), Database::Mode::Create);
        db.execScript(layoutSql(230));
        insert(db, "DBInfo", {{"VersionInfo", 230}, {"IsMemoPass", 0}, {"IsPass", 0}});
    }
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    EXPECT_EQ(progress.lines, expectedLog(230));
    EXPECT_EQ(progress.maxima, QList<int>({100, 100, 100, 100, 1}));
    Database db(f.database(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 0);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM FileDB").toInt(), 5);  // the template's own rows
}

TEST(UpgradeDatabase, RunTwiceKeepsEveryRowOnce) {
    Folders f;
    makeOldDatabase(f.database(), 230);
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    Database db(f.database(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 3);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM FileDB").toInt(), 7);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Memo").toInt(), 2);
    EXPECT_EQ(progress.values.last(), 1);
}

// A rarav.mdb that is a symbolic link to a database kept elsewhere (a synced
// folder) stays a link: the rebuilt database replaces the file it points to.
TEST(UpgradeDatabase, ALinkedDatabaseIsRebuiltWhereTheLinkPoints) {
    Folders f;
    ASSERT_TRUE(Files::makeFolder(f.tmp.file("〜¥−🍣")));
    makeOldDatabase(f.tmp.file("〜¥−🍣/diary.mdb"), 210);
    ASSERT_TRUE(QFile::link("〜¥−🍣/diary.mdb", f.database()));
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(210, progress, f.paths);
    EXPECT_TRUE(QFileInfo(f.database()).isSymLink());
    EXPECT_EQ(QFileInfo(f.database()).symLinkTarget(), f.tmp.file("〜¥−🍣/diary.mdb"));
    EXPECT_EQ(Shell::GetDBVersion(f.tmp.file("〜¥−🍣/diary.mdb")), Shell::kCurrentDBVersion);
    Database db(f.database(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 3);
    EXPECT_EQ(QDir(f.tmp.file("〜¥−🍣")).entryList(QDir::Files), QStringList{"diary.mdb"});
}

// A diary its owner keeps from other accounts of the machine stays so: the
// rebuilt file has the permissions of the one it replaces.
TEST(UpgradeDatabase, TheRebuiltDatabaseKeepsThePermissionsOfTheOldOne) {
    Folders f;
    makeOldDatabase(f.database(), 230);
    const QByteArray path = QFile::encodeName(f.database());
    for (const mode_t mode : {mode_t(0600), mode_t(0660)}) {
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
        Recorder progress;
        DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
        struct stat st;
        ASSERT_EQ(::stat(path.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
    }
}

// The sqlite3 shell turned the diary to a write-ahead log and added an entry
// while the program held its connection open: the entry waits in the log.
// The backup and the rebuild hold it, and the rebuilt file is whole to any
// client (the old log, left beside it, would be played into it).
TEST(UpgradeDatabase, EntriesAnotherClientLeftInAWriteAheadLogAreCarried) {
    Folders f;
    makeOldDatabase(f.database(), 230);
    auto sqlite3 = [&](const QString& file, const QString& sql) {
        QProcess shell;
        shell.start("sqlite3", {"-bail", file, sql});
        EXPECT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
    };
    sqlite3(f.database(), "PRAGMA journal_mode=WAL;");
    EXPECT_EQ(Database(f.database()).scalar("SELECT count(*) FROM Contents").toInt(), 3);
    sqlite3(f.database(), "INSERT INTO Contents (Day, Number, Title, Contents) VALUES ('2024/03/10', 1, '〜¥−🍣', 'shell');");
    ASSERT_GT(QFileInfo(f.database() + "-wal").size(), 0);

    DatabaseUpgrade::BackupDatabase(f.paths.userPath);
    EXPECT_EQ(sqlite3(f.paths.userPath + "diarymdb.bak", "SELECT Title FROM Contents WHERE Contents = 'shell';"),
              QStringLiteral("〜¥−🍣"));
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    EXPECT_EQ(sqlite3(f.database(), "PRAGMA quick_check;"), QStringLiteral("ok"));
    EXPECT_EQ(sqlite3(f.database(), "SELECT Title FROM Contents WHERE Contents = 'shell';"), QStringLiteral("〜¥−🍣"));
    Database db(f.database(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 4);
}

// An entry that another client, keeping its connection open, writes while
// the rebuild copies goes with the old file; its log, left beside the
// rebuilt one, must not be played into it.
TEST(UpgradeDatabase, ALogWrittenDuringTheRebuildStaysOutOfTheNewFile) {
    Folders f;
    makeOldDatabase(f.database(), 230);
    auto sqlite3 = [&](const QString& sql) {
        QProcess shell;
        shell.start("sqlite3", {"-bail", f.database(), sql});
        EXPECT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
    };
    sqlite3("PRAGMA journal_mode=WAL;");
    struct WritingMeanwhile : Recorder {
        std::function<void()> write;
        void log(const QString& line) override {
            Recorder::log(line);
            if (line == QStringLiteral("日記の内容のコピーを開始。")) write();
        }
    } progress;
    progress.write = [&] {
        // A plug-in's own connection beside the program's, both kept open.
        Database program(f.database());
        Database plugin(f.database());
        plugin.exec("UPDATE Contents SET Title = 'late' WHERE Number = 1");
        EXPECT_GT(QFileInfo(f.database() + "-wal").size(), 0);
    };
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    EXPECT_EQ(sqlite3("PRAGMA quick_check;"), QStringLiteral("ok"));
    EXPECT_EQ(sqlite3("SELECT count(*) FROM Contents WHERE Title = '朝';"), QStringLiteral("1"));
    Database db(f.database(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 3);
}

// A rebuild that fails at any step leaves rarav.mdb exactly as it was and no
// temporary file behind.
TEST(UpgradeDatabase, FailureLeavesTheDatabaseUntouched) {
    struct Case {
        const char* name;
        int version;  // the version the rebuild is told
        std::function<void(Folders&)> make;
        const char* says;
        const char* lastLine;
    };
    const QList<Case> cases = {
        {"not a database", 0, [](Folders& f) { f.tmp.write("rarav.mdb", QByteArray(4096, 'x')); },
         "日記の内容のコピーに失敗しました。", "日記の内容のコピーを開始。"},
        {"column its version promises is missing", 210,
         [](Folders& f) { makeOldDatabase(f.database(), 200); }, "日記の内容のコピーに失敗しました。",
         "日記の内容のコピーを開始。"},
        {"memo table missing", 220,
         [](Folders& f) {
             makeOldDatabase(f.database(), 220);
             Database(f.database()).exec("DROP TABLE Memo");
         },
         "Quillbyメモデータのコピーに失敗しました。", "Quillbyメモデータのコピーを開始。"},
        {"option table without a row", 100,
         [](Folders& f) {
             makeOldDatabase(f.database(), 100);
             Database(f.database()).exec("DELETE FROM \"Option\"");
         },
         "オプションのデータがありません。", "オプションの書き出し開始。"},
        {"no template", 230,
         [](Folders& f) {
             makeOldDatabase(f.database(), 230);
             QFile::remove(f.paths.myPath + "default.mdb");
         },
         "default.mdb", "テンポラリファイル作成中。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folders f;
        c.make(f);
        const QByteArray before = bytesOf(f.database());
        Recorder progress;
        try {
            DatabaseUpgrade::UpgradeDatabase(c.version, progress, f.paths);
            ADD_FAILURE() << "no failure reported";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description.contains(c.says)) << e.description.toStdString();
        }
        EXPECT_EQ(bytesOf(f.database()), before);
        EXPECT_EQ(progress.lines.last(), c.lastLine);
        EXPECT_FALSE(progress.lines.contains("復元完了。"));
        EXPECT_FALSE(Files::exists(f.paths.userPath + "old.mdb"));
        EXPECT_FALSE(Files::exists(f.paths.userPath + "new.mdb"));
        EXPECT_FALSE(Files::exists(f.paths.userPath + "new.mdb-journal"));
        EXPECT_FALSE(DatabaseUpgrade::isUpgrading());
    }
}

TEST(UpgradeDatabase, DayForms) {
    const QList<std::pair<const char*, const char*>> cases = {
        {"2004/1/5", "2004/01/05"},  {"2004/01/05", "2004/01/05"}, {"2004-1-5", "2004/01/05"},
        {"2004/1/5 0:00:00", "2004/01/05"}, {"ALL", "ALL"},       {"", ""},
        {"昨日", "昨日"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(DatabaseUpgrade::normalizedDay(in), out) << in;
}

TEST(GetDBVersion, MissingFileOrTableReadsAsZero) {
    TempFolder tmp;
    EXPECT_EQ(Shell::GetDBVersion(tmp.file("none.mdb")), 0);
    makeOldDatabase(tmp.file("v0.mdb"), 0);
    EXPECT_EQ(Shell::GetDBVersion(tmp.file("v0.mdb")), 0);
    makeOldDatabase(tmp.file("v150.mdb"), 150);
    EXPECT_EQ(Shell::GetDBVersion(tmp.file("v150.mdb")), 150);
}

namespace {

// Files that are no whole entry database. All but the last cannot even be
// read as one; the last reads, but one page of its entries is overwritten.
QList<std::pair<const char*, QByteArray>> damagedDatabases(const TempFolder& tmp) {
    {
        Database other(tmp.file("other.db"), Database::Mode::Create);
        other.exec("CREATE TABLE Settings (Name TEXT, Value TEXT)");
    }
    const QString whole = makeOldDatabase(tmp.file("whole.mdb"), 150);
    {
        Database db(whole);
        Transaction tx(db);
        for (int i = 0; i < 2000; ++i)
            db.exec("INSERT INTO Contents (Day, Title, Contents) VALUES ('2004/01/01', ?, ?)",
                    {QString::number(i), QString(200, QChar('x'))});
        tx.commit();
    }
    QByteArray torn = bytesOf(whole);
    torn.replace(50 * 4096, 4096, QByteArray(4096, char(0x5A)));
    return {{"text", "[ALL]\r\nDataPath=C:\\diary\\\r\n"},
            {"empty", ""},
            {"another database", bytesOf(tmp.file("other.db"))},
            {"torn page", torn}};
}

}  // namespace

TEST(GetDBVersion, FileThatIsNoEntryDatabaseIsAnError) {
    TempFolder tmp;
    const auto cases = damagedDatabases(tmp);
    for (const auto& [name, bytes] : cases) {
        if (QByteArray(name) == "torn page") continue;
        SCOPED_TRACE(name);
        EXPECT_THROW(Shell::GetDBVersion(tmp.write("rarav.mdb", bytes)), RuntimeError);
    }
}

TEST(BackupDatabase, NeverReplacesTheBackupWithADamagedFile) {
    TempFolder tmp;
    const auto cases = damagedDatabases(tmp);
    const QByteArray backup = bytesOf(makeOldDatabase(tmp.file("diarymdb.bak"), 230));
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        tmp.write("rarav.mdb", bytes);
        try {
            DatabaseUpgrade::BackupDatabase(tmp.path());
            ADD_FAILURE() << "backed up";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description.startsWith("rarav.mdbが壊れているため、diarymdb.bakを置き換えません。\r\n"))
                << e.description.toStdString();
        }
        EXPECT_EQ(bytesOf(tmp.file("diarymdb.bak")), backup);
        EXPECT_EQ(bytesOf(tmp.file("rarav.mdb")), bytes);
    }
    makeOldDatabase(tmp.file("rarav.mdb"), 150);
    DatabaseUpgrade::BackupDatabase(tmp.path());
    EXPECT_EQ(bytesOf(tmp.file("diarymdb.bak")), bytesOf(tmp.file("rarav.mdb")));
}

// The backup holds the same diary, so it is kept from the same accounts: a
// new one and one left by an earlier backup alike.
TEST(BackupDatabase, TheBackupHasThePermissionsOfTheDatabase) {
    TempFolder tmp;
    makeOldDatabase(tmp.file("rarav.mdb"), 230);
    const QByteArray database = QFile::encodeName(tmp.file("rarav.mdb"));
    const QByteArray backup = QFile::encodeName(tmp.file("diarymdb.bak"));
    for (const mode_t mode : {mode_t(0600), mode_t(0640)}) {
        ASSERT_EQ(::chmod(database.constData(), mode), 0);
        DatabaseUpgrade::BackupDatabase(tmp.path());
        struct stat st;
        ASSERT_EQ(::stat(backup.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        ASSERT_EQ(::chmod(backup.constData(), 0644), 0);
    }
}

// A run killed while it copied the diary (a backup, the working copies of a
// rebuild, the rebuilt file put where a link points) left the copy's
// temporary file, as large as the diary, beside its target: the next backup
// and rebuild remove those of their own files, and no other file.
TEST(UpgradeDatabase, CopiesAKilledRunLeftAreRemovedByTheNext) {
    Folders f;
    ASSERT_TRUE(Files::makeFolder(f.tmp.file("〜¥−🍣")));
    makeOldDatabase(f.tmp.file("〜¥−🍣/diary.mdb"), 230);
    ASSERT_TRUE(QFile::link("〜¥−🍣/diary.mdb", f.database()));
    const QStringList left = {"diarymdb.bak.~1z141z3", "old.mdb.~0", "new.mdb.~k2j", "〜¥−🍣/diary.mdb.~abc"};
    const QStringList others = {"diarymdb.bak.~", "diarymdb.bak.~2024-01-05", "my.mdb.~abc", "〜¥−🍣/diary.mdb~",
                                "〜¥−🍣/diary.mdb.~abc.txt"};
    for (const QString& name : left + others) f.tmp.write(name, "half a copy");

    DatabaseUpgrade::BackupDatabase(f.paths.userPath);
    Recorder progress;
    DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
    for (const QString& name : left) EXPECT_FALSE(Files::exists(f.tmp.file(name))) << name.toStdString();
    for (const QString& name : others) EXPECT_TRUE(Files::exists(f.tmp.file(name))) << name.toStdString();
}

// The rebuild makes the search index while it copies the rows; the index it
// leaves is the one a build from the rebuilt rows makes, whatever kind of
// value the old file held in Title and Contents.
TEST(UpgradeDatabase, MakesTheIndexAFullBuildMakes) {
    struct Case {
        const char* name;
        QVariant title, contents;
    };
    const Case cases[] = {
        {"text", QStringLiteral("猫😀猫 Good Day"), QStringLiteral("散歩の日\r\n100% a_b ")},
        {"none", QVariant(), QStringLiteral("")},
        {"number", qlonglong(-120), qlonglong(9007199254740993LL)},
        {"bytes", QByteArray("\xff\xfe z\x00\x01", 6), QByteArray("\xe7\x8c\xab\xe7", 4)},
        {"fraction", 0.1, 1.0 / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folders f;
        makeOldDatabase(f.database(), 230);
        {
            // Columns without a type keep each value as it was stored.
            Database old(f.database());
            old.execScript("ALTER TABLE Contents RENAME TO Typed;"
                           "CREATE TABLE Contents (Day TEXT, Title, Contents, Weather TEXT, Genre TEXT, "
                           "Number INTEGER, PublishTime TEXT, Private INTEGER, TrackBack TEXT, Extend TEXT, "
                           "Excerpt TEXT, ImportMark TEXT);"
                           "INSERT INTO Contents SELECT * FROM Typed; DROP TABLE Typed;");
            Transaction t(old);
            for (int i = 0; i < 1200; ++i)
                insert(old, "Contents",
                       {{"Day", "2006/2/3"}, {"Number", i}, {"Title", i % 2 ? c.title : QVariant(i)},
                        {"Contents", i % 3 ? c.contents : QVariant(QStringLiteral("本文%1").arg(i))}});
            t.commit();
        }
        Recorder progress;
        bool served = false;
        QTimer::singleShot(0, [&served] { served = DatabaseUpgrade::isUpgrading(); });
        DatabaseUpgrade::UpgradeDatabase(230, progress, f.paths);
        // The window was served while rows were copied, and the bar came to
        // every row.
        EXPECT_TRUE(served);
        EXPECT_TRUE(progress.values.contains(1203));
        EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.begin() + progress.values.indexOf(1203)));
        const QString copy = f.tmp.file("copy.mdb");
        ASSERT_TRUE(QFile::copy(f.database(), copy));
        {
            Database built(copy);
            SearchIndex::build(built);
        }
        Database rebuilt(f.database()), built(copy);
        for (const char* table : {"ContentsPairs_data", "ContentsPairs_idx", "ContentsPairsRows"}) {
            const QString all = QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table);
            EXPECT_EQ(rebuilt.query(all).rows, built.query(all).rows) << table;
        }
        EXPECT_EQ(rebuilt.scalar("SELECT count(*) FROM ContentsPairsRows").toInt(), 1203);
        EXPECT_EQ(rebuilt.scalar("SELECT count(*) FROM ContentsPairsLog").toInt(), 0);
        EXPECT_NO_THROW(rebuilt.exec("INSERT INTO ContentsPairs (ContentsPairs) VALUES ('integrity-check')"));
        EXPECT_TRUE(SearchIndex::ready(rebuilt));
    }
}

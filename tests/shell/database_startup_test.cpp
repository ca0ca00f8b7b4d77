#include "platform/files.h"
#include "platform/search_index.h"
#include "core/db_version.h"
#include "shell/main_window.h"
#include "tests/core/database_fixtures.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace DbFixtures;

namespace {

// One start of the program on the given program folder, ended again.
bool startAndEnd(const QString& myPath) {
    Shell::state() = Shell::SharedState();
    Shell::state().MyPath = myPath;
    MDIFormTop* w = MDIFormTop::instance();
    const bool started = w->MDIForm_Load();
    w->MDIForm_Unload();
    delete w;
    return started;
}

}  // namespace

TEST(DatabaseAtStartUp, OldestLayoutIsRebuiltOnceKeepingEveryEntry) {
    TempFolder tmp;
    const QString myPath = copyProgramFolder(tmp.file("prog"));
    const QString database = myPath + "UserData/rarav.mdb";
    Files::makeFolder(myPath + "UserData");
    {
        Database db(database, Database::Mode::Create);
        db.execScript(layoutSql(0));
        Transaction tx(db);
        for (int i = 0; i < 300; ++i)
            db.exec("INSERT INTO Contents (Day, Title, Contents) VALUES (?, ?, ?)",
                    {QString("2003/%1/%2").arg(i % 12 + 1).arg(i % 28 + 1), QString("題%1").arg(i),
                     QString("本文%1").arg(i)});
        db.exec("INSERT INTO \"Option\" VALUES ('h', 'f', 'hl', 'fl')");
        tx.commit();
    }

    {
        ScopedPrompts p;
        p->expectMessage("rarav.mdbがアップデートされています。").expectMessage("rarav.mdbのアップデートは完了しました。");
        ASSERT_TRUE(startAndEnd(myPath));
    }
    EXPECT_EQ(Shell::GetDBVersion(database), Shell::kCurrentDBVersion);
    {
        Database db(database, Database::Mode::ReadOnly);
        EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 300);
        EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents WHERE Day LIKE '2003/__/__'").toInt(), 300);
        // Rows that shared a day became its entries 1, 2, ...
        EXPECT_EQ(db.scalar("SELECT count(*) FROM (SELECT Day, Number FROM Contents GROUP BY Day, Number "
                            "HAVING count(*) > 1)")
                      .toInt(),
                  0);
        EXPECT_EQ(db.scalar("SELECT Contents FROM Contents WHERE Title = '題299'").toString(), "本文299");
        // The search index was built once from all the copied rows.
        EXPECT_EQ(db.scalar("SELECT count(*) FROM ContentsPairsRows").toInt(), 300);
        EXPECT_EQ(db.scalar("SELECT count(*) FROM ContentsPairsLog").toInt(), 0);
        EXPECT_EQ(db.scalar("SELECT count(*) FROM ContentsPairs WHERE ContentsPairs MATCH ?",
                            {SearchIndex::matchQuery("題29")})
                      .toInt(),
                  11);
    }
    EXPECT_TRUE(Files::exists(myPath + "UserData/diarymdb.bak"));
    EXPECT_EQ(Files::readText(myPath + "UserData/Customize/default_up.htm"), "h\r\n");

    ScopedPrompts none;
    const QByteArray rebuilt = bytesOf(database);
    EXPECT_TRUE(startAndEnd(myPath));
    EXPECT_EQ(bytesOf(database), rebuilt);
}

// A rarav.mdb that is no database must not be taken for the oldest layout:
// that would copy it over the good backup before the rebuild fails.
TEST(DatabaseAtStartUp, DamagedDatabaseIsReportedAndTheBackupKept) {
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919 + 13) % 251);
    const QList<std::pair<const char*, QByteArray>> cases = {
        {"text", "[ALL]\r\nDataPath=C:\\diary\\\r\n"},
        {"random bytes", noise},
        {"empty", ""},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TempFolder tmp;
        const QString myPath = copyProgramFolder(tmp.file("prog"));
        const QString user = myPath + "UserData/";
        Files::makeFolder(user);
        makeOldDatabase(user + "diarymdb.bak", 230);
        const QByteArray backup = bytesOf(user + "diarymdb.bak");
        tmp.write("prog/UserData/rarav.mdb", bytes);

        {
            ScopedPrompts p;
            p->expectMessage("rarav.mdbを開けません。ファイルが壊れているか、日記のデータベースではありません。\r\n" +
                                 user + "rarav.mdb\r\n",
                             Prompts::vbOK, Prompts::vbCritical);
            // The program ends: no window that needs the database stays open.
            EXPECT_FALSE(startAndEnd(myPath));
            ASSERT_EQ(p->shown.size(), 1);
            EXPECT_TRUE(p->shown.first().endsWith(
                "\r\nバックアップの「diarymdb.bak」は変更していません。\r\nQuillbyを終了します。"));
            EXPECT_FALSE(p->shown.join('\n').contains("アップデート"));
        }
        EXPECT_EQ(bytesOf(user + "diarymdb.bak"), backup);
        EXPECT_EQ(bytesOf(user + "rarav.mdb"), bytes);
        EXPECT_FALSE(Files::exists(user + "old.mdb"));
        EXPECT_FALSE(Files::exists(user + "new.mdb"));
    }
}

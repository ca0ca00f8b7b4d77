#include "platform/database.h"
#include "platform/files.h"
#include "shell/database_optimize.h"
#include "shell/database_optimize_ui.h"
#include "core/db_version.h"
#include "shell/frm_db_updater.h"
#include "core/rarav_ini.h"
#include "tests/core/database_fixtures.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace DbFixtures;

namespace {

struct FakeWindow : DatabaseMaintenance::RebuildWindow {
    Recorder progress;
    int shown = 0;
    int unloaded = 0;
    DatabaseUpgrade::UpgradeProgress& show() override {
        ++shown;
        return progress;
    }
    void unload() override { ++unloaded; }
};

// A user folder with a database of the given layout (or the bytes given),
// and the main window's enable hook recorded.
class Maintenance : public ::testing::Test {
protected:
    void SetUp() override {
        Files::makeFolder(tmp.file("prog"));
        Files::makeFolder(tmp.file("data"));
        makeDatabase(tmp.file("prog/default.mdb"));
        s.MyPath = tmp.file("prog/");
        s.UserPath = tmp.path();
        s.DataPath = tmp.file("data/");
        s.RaravIniFile = tmp.file("rarav.ini");
        saved = Shell::hooks();
        Shell::hooks().setEnabled = [this](bool on) { enabled << on; };
    }
    void TearDown() override { Shell::hooks() = saved; }

    // Names and bytes of every file in the user folder.
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> out;
        for (const QString& name : QDir(tmp.path()).entryList(QDir::Files)) out[name] = bytesOf(tmp.file(name));
        return out;
    }

    TempFolder tmp;
    Shell::SharedState s;
    Shell::MainWindowHooks saved;
    QList<bool> enabled;
};

}  // namespace

TEST_F(Maintenance, StartUpRebuildsAnOlderDatabaseAfterABackup) {
    makeOldDatabase(s.databasePath(), 0);
    const QByteArray before = bytesOf(s.databasePath());
    ScopedPrompts p;
    p->expectMessage("データベースをアップデートします。", Prompts::vbOK, Prompts::vbOKOnly)
        .expectMessage("rarav.mdbのアップデートは完了しました。", Prompts::vbOK, Prompts::vbOKOnly);
    FakeWindow window;
    EXPECT_EQ(DatabaseMaintenance::checkAtStartUp(s, window), DatabaseMaintenance::StartUpCheck::Current);

    EXPECT_EQ(bytesOf(tmp.file("diarymdb.bak")), before);
    EXPECT_EQ(Shell::GetDBVersion(s.databasePath()), Shell::kCurrentDBVersion);
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DBVersion), "220");
    EXPECT_TRUE(Files::isFolder(s.DataPath + "Customize"));
    EXPECT_EQ(window.progress.lines, expectedLog(0));
    EXPECT_EQ(window.shown, 1);
    EXPECT_EQ(window.unloaded, 1);
    EXPECT_EQ(enabled, QList<bool>({false, true}));
}

TEST_F(Maintenance, StartUpLeavesACurrentDatabaseAlone) {
    makeDatabase(s.databasePath());
    const auto before = files();
    ScopedPrompts p;
    FakeWindow window;
    EXPECT_EQ(DatabaseMaintenance::checkAtStartUp(s, window), DatabaseMaintenance::StartUpCheck::Current);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(window.shown, 0);
}

// The search index of earlier builds made the diary writable only by this
// program; start-up replaces it, so that the sqlite3 shell (or a plug-in)
// can write entries before any search has run.
TEST_F(Maintenance, StartUpReplacesTheIndexOnlyThisProgramCouldWrite) {
    makeDatabase(s.databasePath());
    Database(s.databasePath())
        .execScript("DROP TABLE ContentsPairs; DROP TABLE ContentsPairsRows; DROP TABLE ContentsPairsLog;"
                    "DROP TRIGGER ContentsPairsInsert; DROP TRIGGER ContentsPairsDelete; DROP TRIGGER ContentsPairsUpdate;"
                    "CREATE VIRTUAL TABLE ContentsSearch USING fts5(Title, Contents, content='Contents', "
                    "tokenize='rarav_pairs', detail='full');"
                    "CREATE TRIGGER ContentsSearchInsert AFTER INSERT ON Contents BEGIN"
                    "  INSERT INTO ContentsSearch (rowid, Title, Contents) VALUES (new.rowid, new.Title, new.Contents);"
                    "END;"
                    "INSERT INTO Contents (Day, Title, Contents) VALUES ('2005/01/02', '散歩', '公園まで');");
    auto shellInsert = [this] {
        QProcess shell;
        shell.start("sqlite3", {"-bail", s.databasePath(),
                                "INSERT INTO Contents (Day, Title, Contents) VALUES ('2005/01/03', '外', '本文');"});
        shell.waitForFinished(30000);
        return shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
    };
    EXPECT_FALSE(shellInsert());
    ScopedPrompts p;
    FakeWindow window;
    EXPECT_EQ(DatabaseMaintenance::checkAtStartUp(s, window), DatabaseMaintenance::StartUpCheck::Current);
    EXPECT_TRUE(shellInsert());
    Database db(s.databasePath());
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 2);
    EXPECT_FALSE(db.tableExists("ContentsSearch"));
    EXPECT_EQ(db.scalar("SELECT count(*) FROM ContentsPairsRows").toInt(), 1);  // the shell's row waits in the log
}

TEST_F(Maintenance, StartUpFailureSaysSoAndRecordsNothing) {
    // A database that records a layout it does not have.
    makeOldDatabase(s.databasePath(), 0);
    Database(s.databasePath()).execScript("CREATE TABLE DBInfo (VersionInfo INTEGER); INSERT INTO DBInfo VALUES (150);");
    const QByteArray before = bytesOf(s.databasePath());
    ScopedPrompts p;
    p->expectMessage("データベースをアップデートします。")
        .expectMessage("rarav.mdbのアップデートに失敗しました。", Prompts::vbOK, Prompts::vbCritical);
    FakeWindow window;
    EXPECT_EQ(DatabaseMaintenance::checkAtStartUp(s, window), DatabaseMaintenance::StartUpCheck::NotRebuilt);
    EXPECT_TRUE(p->shown.last().contains("日記の内容のコピーに失敗しました。"));
    EXPECT_EQ(bytesOf(s.databasePath()), before);
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DBVersion), "");
    EXPECT_FALSE(Files::exists(tmp.file("old.mdb")));
    EXPECT_FALSE(Files::exists(tmp.file("new.mdb")));
    EXPECT_EQ(window.unloaded, 1);
    EXPECT_EQ(enabled, QList<bool>({false, true}));
}

// A rarav.mdb that cannot be read as a database is neither backed up over
// diarymdb.bak nor rebuilt, at start-up or when optimising.
TEST_F(Maintenance, DamagedDatabaseIsReportedAndNothingIsBackedUp) {
    tmp.write("rarav.mdb", QByteArray(4096, 'x'));
    makeOldDatabase(tmp.file("diarymdb.bak"), 230);
    const auto before = files();
    const QString damaged = "rarav.mdbを開けません。ファイルが壊れているか、日記のデータベースではありません。";
    {
        ScopedPrompts p;
        p->expectMessage(damaged, Prompts::vbOK, Prompts::vbCritical);
        FakeWindow window;
        int told = 0;
        EXPECT_EQ(DatabaseMaintenance::checkAtStartUp(s, window, [&] { ++told; }),
                  DatabaseMaintenance::StartUpCheck::Unreadable);
        EXPECT_TRUE(p->shown.last().endsWith("Quillbyを終了します。"));
        EXPECT_EQ(told, 1);
        EXPECT_EQ(window.shown, 0);
    }
    {
        ScopedPrompts p;
        p->expectMessage("rarav.mdbを最適化しますか？", Prompts::vbYes).expectMessage(damaged);
        FakeWindow window;
        EXPECT_FALSE(DatabaseMaintenance::optimize(s, window));
        EXPECT_EQ(window.shown, 0);
    }
    EXPECT_EQ(files(), before);
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DBVersion), "");
}

TEST_F(Maintenance, RefusedOptimizeChangesNoFile) {
    makeOldDatabase(s.databasePath(), 230);
    const auto before = files();
    ScopedPrompts p;
    p->expectMessage("rarav.mdbを最適化しますか？", Prompts::vbNo, Prompts::vbYesNo)
        .expectMessage("rarav.mdbの最適化を中止しました。");
    FakeWindow window;
    EXPECT_FALSE(DatabaseMaintenance::optimize(s, window));
    EXPECT_EQ(files(), before);
    EXPECT_EQ(window.shown, 0);
}

TEST_F(Maintenance, OptimizeBacksUpUnderTheNameItGivesAndRebuilds) {
    makeOldDatabase(s.databasePath(), 230);
    Database(s.databasePath()).exec("DELETE FROM Contents WHERE Title = '夜'");
    const QByteArray before = bytesOf(s.databasePath());
    ScopedPrompts p;
    p->expectMessage("「diarymdb.bak」として保存します。", Prompts::vbYes, Prompts::vbYesNo)
        .expectMessage("rarav.mdbの最適化は完了しました。");
    FakeWindow window;
    EXPECT_TRUE(DatabaseMaintenance::optimize(s, window));
    EXPECT_EQ(bytesOf(tmp.file("diarymdb.bak")), before);
    EXPECT_EQ(window.progress.lines, expectedLog(230));
    Database db(s.databasePath(), Database::Mode::ReadOnly);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents").toInt(), 2);
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DBVersion), "");
}

TEST_F(Maintenance, OptimizeWithoutADatabaseSaysWhatFailed) {
    ScopedPrompts p;
    p->expectMessage("rarav.mdbを最適化しますか？", Prompts::vbYes)
        .expectMessage("rarav.mdbの最適化に失敗しました。", Prompts::vbOK, Prompts::vbCritical);
    FakeWindow window;
    EXPECT_FALSE(DatabaseMaintenance::optimize(s, window));
    EXPECT_FALSE(Files::exists(s.databasePath()));
    EXPECT_EQ(window.shown, 0);
}

TEST_F(Maintenance, UpdaterWindowShowsEveryLineAndTheProgress) {
    makeOldDatabase(s.databasePath(), 100);
    frmDBUpdater* w = frmDBUpdater::instance();
    EXPECT_EQ(w->windowTitle(), "Quillby DB Updater");
    EXPECT_EQ(w->txtStatus->toPlainText(), "アップデートを開始します。");
    DatabaseUpgrade::UpgradeDatabase(100, *w, {s.UserPath, s.MyPath, s.DataPath});
    EXPECT_EQ(w->txtStatus->toPlainText().split('\n'), QStringList("アップデートを開始します。") + expectedLog(100));
    EXPECT_EQ(w->ProgressBar1->maximum(), 4);  // the text blocks come last
    EXPECT_EQ(w->ProgressBar1->value(), 4);
    frmDBUpdater::unload();
    EXPECT_FALSE(frmDBUpdater::exists());
}

TEST_F(Maintenance, MenuCommandRunsWithTheUpdaterWindowAndUnloadsIt) {
    makeOldDatabase(s.databasePath(), 230);
    const Shell::SharedState previous = Shell::state();
    Shell::state() = s;
    ScopedPrompts p;
    p->expectMessage("rarav.mdbを最適化しますか？", Prompts::vbYes).expectMessage("rarav.mdbの最適化は完了しました。");
    DatabaseMaintenance::MnuOptimize_Click();
    Shell::state() = previous;
    EXPECT_FALSE(frmDBUpdater::exists());
    EXPECT_TRUE(Files::exists(tmp.file("diarymdb.bak")));
    EXPECT_EQ(enabled, QList<bool>({false, true}));
}

#include "web/plugin_commands.h"
#include "web/plugin_api.h"

#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "core/user_list.h"
#include "site/in_program_pages.h"

#include "tests/support/scripted_prompts.h"
#include "tests/web/export_fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString kTrap = QStringLiteral("エラーです。\r\ninstall.batを実行すれば解決する場合があります。");

// A program folder with a user and the stand-in libraries; every call a
// library receives lands in calls().
class PluginCommandsTest : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        Shell::SharedState& s = Shell::state();
        s.FilePath = t.path() + "site/";
        s.RSSIniFile = s.DataPath + "RSS.ini";
        for (const char* name : {"Brindle.so", "Fescue.so", "Tambour.so", "QuillbyInfo.so"}) install(name);
        qputenv("RARAV_FAKE_PLUGIN_LOG", t.file("calls.log").toUtf8());
        setResult(RARAV_PLUGIN_DONE);
    }
    void TearDown() override {
        ExportFixture::TearDown();
        Shell::hooks() = Shell::MainWindowHooks();
        qunsetenv("RARAV_FAKE_PLUGIN_LOG");
        qunsetenv("RARAV_FAKE_PLUGIN_RESULT");
    }

    void install(const QString& name, const char* plugin = "fake_plugin.so") {
        QFile::remove(t.file(name));
        ASSERT_TRUE(QFile::copy(QStringLiteral(RARAV_FAKE_PLUGINS) + plugin, t.file(name)));
    }
    static void setResult(int result) { qputenv("RARAV_FAKE_PLUGIN_RESULT", QByteArray::number(result)); }
    QStringList calls() const {
        return QString::fromUtf8(t.read("calls.log")).split('\n', Qt::SkipEmptyParts);
    }
    QString db() const { return Shell::state().databasePath(); }
};

TEST_F(PluginCommandsTest, VersionBoxesNameTheLibraryAndItsVersion) {
    install("Fescue.so", "fake_plugin_version_only.so");
    ScopedPrompts p;
    p->expectMessage("Brindle.dll Version 1.2.3", Prompts::vbOK, Prompts::vbOKOnly)
        .expectMessage("Fescue.dll Version 1.2.3")
        .expectMessage("Tambour.dll Version 1.2.3")
        .expectMessage("QuillbyInfo.dll Version 1.2.3");
    PluginCommands::MnuBrindleDll_Click();
    PluginCommands::MnuFescueDll_Click();
    PluginCommands::MnuTambourDll_Click();
    PluginCommands::MnuQuillbyInfoDll_Click();
}

TEST_F(PluginCommandsTest, AMissingOrBrokenLibraryIsReportedNotFatal) {
    QFile::remove(t.file("Tambour.so"));
    t.write("QuillbyInfo.so", "not a library");
    install("Brindle.so", "fake_plugin_version_only.so");
    t.write("out.txt", "keep");
    ScopedPrompts p;
    p->expectMessage("Tambour.soを呼び出せませんでした。", Prompts::vbOK, Prompts::vbCritical)
        .expectMessage("QuillbyInfo.soを呼び出せませんでした。")
        .expectSaveFile(t.file("out.txt"), "MovableType形式の書き出し")
        .expectMessage(kTrap, Prompts::vbOK, Prompts::vbCritical);
    PluginCommands::MnuTambourDll_Click();
    PluginCommands::MnuQuillbyInfoDll_Click();
    // The library lacks its export: the chosen file must survive.
    PluginCommands::MnuMTExport_Click();
    EXPECT_EQ(t.read("out.txt"), "keep");
    EXPECT_TRUE(calls().isEmpty());
}

// The library is given the chosen path with no file there; the old file
// comes back when no new one was made, so a failed export loses nothing, and
// nothing is left beside it.
TEST_F(PluginCommandsTest, ExportsReplaceTheOldFileOnlyWithANewOneAndAnswerEachResult) {
    Shell::state().UserID = "hanako";
    struct Case {
        int result;
        const char* message;  // "" for none
        bool written;
    };
    const Case cases[] = {
        {RARAV_PLUGIN_DONE, "", true},
        {RARAV_PLUGIN_NOT_DONE, "", false},
        {RARAV_PLUGIN_NOT_PREPARED, "", false},
        {RARAV_PLUGIN_PATH_ERROR, "出力先パスのエラーです", false},
        {RARAV_PLUGIN_ERROR, "エラーです。", false},
        {42, "エラーです。", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        QFile::remove(t.file("calls.log"));
        setResult(c.result);
        t.write("mt.txt", "old");
        t.write("hatena.xml", "old");
        ScopedPrompts p;
        p->expectSaveFile(t.file("mt.txt"), "MovableType形式の書き出し");
        if (*c.message) p->expectMessage(c.message, Prompts::vbOK, Prompts::vbCritical);
        p->expectSaveFile(t.file("hatena.xml"), "はてな形式の書き出し");
        if (*c.message) p->expectMessage(c.message, Prompts::vbOK, Prompts::vbCritical);
        PluginCommands::MnuMTExport_Click();
        PluginCommands::MnuHTNExport_Click();
        EXPECT_EQ(calls(), QStringList({"export|" + db() + "|" + t.file("mt.txt") + "|hanako",
                                        "export|" + db() + "|" + t.file("hatena.xml") + "|"}));
        EXPECT_EQ(t.read("mt.txt"), c.written ? "exported" : "old");
        EXPECT_EQ(t.read("hatena.xml"), c.written ? "exported" : "old");
        EXPECT_EQ(QDir(t.path()).entryList({"mt*", "hatena*", ".mt*", ".hatena*"}, QDir::Files | QDir::Hidden),
                  QStringList({"hatena.xml", "mt.txt"}));
    }
    // A cancelled dialog calls nothing.
    QFile::remove(t.file("calls.log"));
    ScopedPrompts p;
    p->expectSaveFile(QString());
    PluginCommands::MnuMTExport_Click();
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(PluginCommandsTest, ImportsRebuildTheGenreListOnlyAfterTheTransferRan) {
    addEntry("2024/05/01", 1, "t", "c", "旅行");
    const QString genres = Shell::state().DataPath + "Genre.csv";
    struct Case {
        int result;
        const char* message;
        bool rebuilt;
    };
    const Case cases[] = {
        {RARAV_PLUGIN_DONE, "", true},
        {RARAV_PLUGIN_NOT_DONE, "", true},
        {RARAV_PLUGIN_NOT_PREPARED, "", false},
        {RARAV_PLUGIN_PATH_ERROR, "入力パスのエラーです", false},
        {RARAV_PLUGIN_ERROR, "エラーです。", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        setResult(c.result);
        for (auto command : {&PluginCommands::MnuMTImport_Click, &PluginCommands::MnuHTNImport_Click}) {
            QFile::remove(genres);
            QFile::remove(t.file("calls.log"));
            ScopedPrompts p;
            p->expectOpenFile(t.file("in.txt"));
            if (*c.message) p->expectMessage(c.message, Prompts::vbOK, Prompts::vbCritical);
            command();
            EXPECT_EQ(calls(), QStringList({"import|" + db() + "|" + t.file("in.txt") + "|"}));
            EXPECT_EQ(Files::exists(genres), c.rebuilt);
        }
    }
    // With the main window the editor rebuilds the list; its failure is trapped.
    setResult(RARAV_PLUGIN_DONE);
    int rebuilt = 0;
    Shell::hooks().makeGenretxt = [&] { ++rebuilt; throw RuntimeError(ErrorNumber::PermissionDenied, "locked"); };
    ScopedPrompts p;
    p->expectOpenFile(t.file("in.txt")).expectMessage(kTrap);
    PluginCommands::MnuMTImport_Click();
    EXPECT_EQ(rebuilt, 1);
}

// A library of another maker writes the diary through a connection of its
// own with plain SQLite; the program's next search finds what a scan finds.
TEST_F(PluginCommandsTest, EntriesAPlainSqliteLibraryWritesAreFoundBySearch) {
    install("Brindle.so", "sql_import_plugin.so");
    addEntry("2024/05/01", 1, "散歩", "公園まで散歩した");
    addEntry("2024/05/02", 1, "雨", "家で読書");
    addEntry("2024/05/03", 1, "晴れ", "また散歩");
    addEntry("2024/05/04", 1, "Walk", "Park");
    const QString page = t.file("findtmp.htm");
    auto found = [&](const QString& keyword) {
        HTML0::MakeSearchResultPage(page, keyword, false, {}, {}, false, {});
        QStringList anchors;
        static const QRegularExpression name("<A NAME=\"([^\"]+)\">");
        for (auto m = name.globalMatch(Codepage::decodeFile(t.read("findtmp.htm"))); m.hasNext();)
            anchors << m.next().captured(1);
        return anchors;
    };
    auto scanned = [&](const QString& keyword) {
        const Recordset rs = Database(db()).query(
            "SELECT Day || '_' || Number FROM Contents WHERE Title Like ?1 Escape '\\' OR Contents Like ?1 "
            "Escape '\\' ORDER BY Day DESC, Number",
            {"%" + Sql::escapeLike(keyword) + "%"});
        QStringList anchors;
        for (const QVariantList& r : rs.rows) anchors << r[0].toString();
        return anchors;
    };
    const QStringList keywords = {"散歩", "読書", "歩く", "公園", "また散歩", "やめた", "walk", "ARK", "k_"};
    for (const QString& k : keywords) EXPECT_EQ(found(k), scanned(k)) << k.toStdString();

    t.write("in.sql",
            "INSERT INTO Contents (Day, Number, Title, Contents) VALUES ('2024/06/01', 1, '散歩道', '川沿いを歩く');\n"
            "UPDATE Contents SET Contents = '散歩はやめた' WHERE Day = '2024/05/01';\n"
            "UPDATE Contents SET Title = '読書と散歩' WHERE Day = '2024/05/02';\n"
            "UPDATE Contents SET Title = 'WALK_PARK', Contents = NULL WHERE Day = '2024/05/04';\n"
            "DELETE FROM Contents WHERE Day = '2024/05/03';\n");
    ScopedPrompts p;
    p->expectOpenFile(t.file("in.sql"));
    PluginCommands::MnuMTImport_Click();
    EXPECT_EQ(calls(), QStringList());  // the library reported no failure
    EXPECT_EQ(Database(db()).scalar("SELECT count(*) FROM Contents").toInt(), 4);
    for (const QString& k : keywords) EXPECT_EQ(found(k), scanned(k)) << k.toStdString();
    EXPECT_EQ(found("散歩"), QStringList({"2024/06/01_1", "2024/05/02_1", "2024/05/01_1"}));
}

TEST_F(PluginCommandsTest, ReportReplacesTheOldPageAndIsShownEvenAfterAPathError) {
    const QString page = Shell::state().DataPath + "QuillbyInfo_result.htm";
    QStringList shown;
    Shell::hooks().navigateBrowser = [&](const QString& target) { shown << target; };
    t.write("data/QuillbyInfo_result.htm", "old report");
    {
        ScopedPrompts p;
        PluginCommands::MnuQuillbyInfo_Click();
    }
    EXPECT_EQ(t.read("data/QuillbyInfo_result.htm"), "<html>report</html>");
    EXPECT_EQ(calls(), QStringList({"report|" + db() + "|" + page + "|"}));

    setResult(RARAV_PLUGIN_PATH_ERROR);
    {
        ScopedPrompts p;
        p->expectMessage("パスのエラーです", Prompts::vbOK, Prompts::vbCritical);
        PluginCommands::MnuQuillbyInfo_Click();
    }
    EXPECT_FALSE(Files::exists(page));
    EXPECT_EQ(shown, QStringList({page, page}));
}

TEST_F(PluginCommandsTest, PingsPassTheFeedAddressAndTitle) {
    {
        ScopedPrompts p;
        PluginCommands::MnuPING_Click();
    }
    IniFile::WriteIniString(Shell::state().RSSIniFile, "Setting", "RaravURL", "http://example.jp/diary/");
    IniFile::WriteIniString(Shell::state().RSSIniFile, "Setting", "Title", "ねこ日記");
    setResult(RARAV_PLUGIN_NOT_DONE);  // the library's own business: nothing shown
    {
        ScopedPrompts p;
        PluginCommands::MnuPING_Click();
    }
    const QString list = Shell::state().UserPath + "PINGList.csv";
    EXPECT_EQ(calls(), QStringList({"ping|" + list + "||日記", "ping|" + list + "|http://example.jp/diary/|ねこ日記"}));
}

// The memo tool is a script that writes each argument on a line of its own.
TEST_F(PluginCommandsTest, MemoToolGetsTheUserListUserAndPassword) {
    Shell::SharedState& s = Shell::state();
    {
        ScopedPrompts p;
        p->expectMessage("Zettik.exeが存在しません。", Prompts::vbOK, Prompts::vbCritical);
        PluginCommands::mnuQuillbyMemo_Click();
    }
    s.Path_Zettik = t.path() + "memo tool/";
    const QString args = t.file("memo tool/args.txt");
    const QString script = t.write("memo tool/Zettik", QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"%1.tmp\"\n"
                                                                      "mv \"%1.tmp\" \"%1\"\n")
                                                           .arg(args)
                                                           .toUtf8());
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    s.IsZettik = true;
    const QString list = UserList::fileIn(s.MyPath);
    ASSERT_TRUE(UserList::addId(list, "山田 花子"));
    ASSERT_TRUE(UserList::setPassword(list, "山田 花子", "pa ss\"word"));

    struct Case {
        const char* user;
        QStringList expected;
    };
    const Case cases[] = {
        {"山田 花子", {list, "山田 花子", "pa ss\"word"}},
        {"", {list, "", ""}},  // single user
    };
    for (const Case& c : cases) {
        s.UserID = c.user;
        QFile::remove(args);
        {
            ScopedPrompts p;
            PluginCommands::mnuQuillbyMemo_Click();
        }
        for (int i = 0; i < 500 && !QFile::exists(args); ++i) QThread::msleep(10);
        EXPECT_EQ(QString::fromUtf8(t.read("memo tool/args.txt")).split('\n'), c.expected + QStringList{""});
    }
}

}  // namespace

#include "core/ini_file.h"
#include "core/program_files.h"
#include "core/rarav_ini.h"
#include "shell/startup.h"

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

Shell::SharedState stateIn(const QString& myPath) {
    Shell::SharedState s;
    s.MyPath = myPath;
    return s;
}

void setDate(const QString& path, const QDateTime& when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST(Startup, FirstStartSeedsFromTheShippedTemplates) {
    TempFolder t;
    t.write("default.ini", "[Initialize]\r\nWindowPosition=1\r\n");
    t.write("default.mdb", "template");
    auto s = stateIn(t.path());
    ASSERT_TRUE(Startup::setUpSingleUser(s));
    EXPECT_EQ(s.UserPath, t.path() + "UserData/");
    EXPECT_EQ(s.DataPath, s.UserPath);
    EXPECT_EQ(s.FilePath, s.UserPath);
    EXPECT_TRUE(s.FileName.isEmpty());
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DataPath), s.UserPath);
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::WindowPosition), 1);
    EXPECT_EQ(t.read("UserData/rarav.mdb"), QByteArray("template"));
}

TEST(Startup, CopiesLyingInTheProgramFolderComeFirstAndNothingIsOverwritten) {
    TempFolder t;
    t.write("default.ini", "");
    t.write("default.mdb", "template");
    t.write("rarav.ini", "[ALL]\r\nDataPath=/somewhere\r\nSaveFilePath=/site\r\nSaveFileName=index.htm\r\n");
    t.write("rarav.mdb", "old diary");
    auto s = stateIn(t.path());
    ASSERT_TRUE(Startup::setUpSingleUser(s));
    EXPECT_EQ(t.read("UserData/rarav.mdb"), QByteArray("old diary"));
    EXPECT_EQ(s.DataPath, QStringLiteral("/somewhere/"));  // "/" added in memory only
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DataPath), QStringLiteral("/somewhere"));
    // The pages go into the site folder, not beside it as "/siteindex.htm".
    EXPECT_EQ(s.FilePath, QStringLiteral("/site/"));
    EXPECT_EQ(s.FileName, QStringLiteral("index.htm"));
    EXPECT_TRUE(QFile::exists(t.file("rarav.ini")));

    // A later start leaves the user's own files alone.
    t.write("UserData/rarav.mdb", "my entries");
    t.write("rarav.mdb", "other");
    ASSERT_TRUE(Startup::setUpSingleUser(s));
    EXPECT_EQ(t.read("UserData/rarav.mdb"), QByteArray("my entries"));
}

TEST(Startup, LoggedInUserWithAnEmptyFolderIsSeededFromTheTemplates) {
    TempFolder t;
    t.write("default.ini", "");
    t.write("default.mdb", "template");
    t.write("rarav.mdb", "single user's diary");
    t.writeText("quillbyuser.ini", "[taro]\nPath=" + t.path() + "people/taro\n");
    auto s = stateIn(t.path());
    ASSERT_TRUE(Startup::setUpUser(s, "taro"));
    EXPECT_EQ(s.UserPath, t.path() + "people/taro/");
    EXPECT_EQ(s.DataPath, s.UserPath);
    EXPECT_EQ(t.read("people/taro/rarav.mdb"), QByteArray("template"));
}

TEST(Startup, DataFolderCheck) {
    TempFolder t;
    EXPECT_FALSE(Startup::isValidDataFolder(""));
    EXPECT_FALSE(Startup::isValidDataFolder("/"));
    EXPECT_FALSE(Startup::isValidDataFolder(t.file("missing/")));
    EXPECT_TRUE(Startup::isValidDataFolder(t.path()));

    auto s = stateIn(t.path());
    s.RaravIniFile = t.file("rarav.ini");
    Startup::setDataFolder(s, t.path() + "chosen");
    EXPECT_EQ(s.DataPath, t.path() + "chosen/");
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::DataPath), t.path() + "chosen");
}

TEST(Startup, DataSubFoldersWithTheirShippedFiles) {
    TempFolder t;
    t.write("prog/Customize.ini", "[General]\r\n");
    t.write("prog/TEXT.txt", "text");
    t.write("prog/HTML.txt", "html");
    for (const QString& icon : ProgramFiles::kWeatherIcons) t.write("prog/" + icon, "gif");
    auto s = stateIn(t.file("prog/"));
    s.DataPath = t.file("data/");
    QDir().mkpath(s.DataPath);
    Startup::makeDataFolders(s);
    Startup::copyWeatherIcons(s);
    for (const char* f : {"data/RaravLog", "data/Customize/Customize.ini", "data/ExportFormat/TEXT.txt",
                          "data/ExportFormat/HTML.txt", "data/RaravParts/Snowy.gif"})
        EXPECT_TRUE(QFileInfo::exists(t.file(f))) << f;

    // Existing folders are not refilled, and icons are copied only when the
    // first one is missing.
    QFile::remove(t.file("data/ExportFormat/TEXT.txt"));
    QFile::remove(t.file("data/RaravParts/Rainy.gif"));
    Startup::makeDataFolders(s);
    Startup::copyWeatherIcons(s);
    EXPECT_FALSE(QFileInfo::exists(t.file("data/ExportFormat/TEXT.txt")));
    EXPECT_FALSE(QFileInfo::exists(t.file("data/RaravParts/Rainy.gif")));
}

TEST(Startup, BlogDescriptionsAreRefreshedByDate) {
    TempFolder t;
    const QDateTime older(QDate(2020, 1, 1), QTime(0, 0));
    const QDateTime newer(QDate(2021, 1, 1), QTime(0, 0));
    auto s = stateIn(t.file("prog/"));
    s.DataPath = t.file("data/");
    t.write("prog/newer.blg", "shipped newer");
    t.write("prog/same.BLG", "shipped same");
    t.write("prog/gone.blg", "shipped gone");
    t.write("data/BlogTemplate/newer.ini", "user copy");
    t.write("data/BlogTemplate/same.ini", "user copy");
    setDate(t.file("prog/newer.blg"), newer);
    setDate(t.file("data/BlogTemplate/newer.ini"), older);
    setDate(t.file("prog/same.BLG"), older);
    setDate(t.file("data/BlogTemplate/same.ini"), older);

    Startup::refreshBlogTemplates(s);
    EXPECT_EQ(t.read("data/BlogTemplate/newer.ini"), QByteArray("shipped newer"));
    EXPECT_EQ(t.read("data/BlogTemplate/same.ini"), QByteArray("user copy"));
    EXPECT_EQ(t.read("data/BlogTemplate/gone.ini"), QByteArray("shipped gone"));
}

TEST(Startup, SettingsFilePathsFallBackAndAreWrittenBack) {
    TempFolder t;
    auto s = stateIn(t.path());
    s.DataPath = t.path();
    s.RaravIniFile = t.file("rarav.ini");
    t.write("mine/Frame.ini", "");
    IniFile::WriteIniString(s.RaravIniFile, "Frame", "IniFileName", t.file("mine/Frame.ini"));
    IniFile::WriteIniString(s.RaravIniFile, "RSS", "IniFileName", t.file("dangling/RSS.ini"));
    Startup::fixSettingsFilePaths(s);
    EXPECT_EQ(s.FrameIniFile, t.file("mine/Frame.ini"));
    EXPECT_EQ(s.RSSIniFile, t.file("RSS.ini"));
    EXPECT_EQ(s.CustIniFile, t.file("Customize/Customize.ini"));
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::RSSIniFileName), t.file("RSS.ini"));
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::BlogIniFileName), t.file("Blog.ini"));
}

TEST(Startup, PluginsMemoToolAndUpdaterMenu) {
    TempFolder t;
    auto s = stateIn(t.path());
    s.RaravIniFile = t.file("rarav.ini");
    t.write("Tambour.so", "");
    const auto p = Startup::detectPlugins(t.path());
    EXPECT_TRUE(p.tambour);
    EXPECT_FALSE(p.brindle || p.fescue || p.quillbyInfo);

    Startup::detectMemoTool(s);
    EXPECT_EQ(s.Path_Zettik, t.path());
    EXPECT_FALSE(s.IsZettik);
    t.write("Zettik", "");
    Startup::detectMemoTool(s);
    EXPECT_TRUE(s.IsZettik);

    EXPECT_FALSE(Startup::updaterMenuEnabled(t.path()));
    t.write("update.txt", "[Update]\r\n");
    EXPECT_TRUE(Startup::updaterMenuEnabled(t.path()));
    t.write("update.txt", "[Update]\r\nUpdated=1\r\n");
    EXPECT_FALSE(Startup::updaterMenuEnabled(t.path()));
}

// The browser's pages go, with the other pages named; a site saved in the
// data folder, its feeds and the past logs stay.
TEST(Startup, ShutDownRemovesOnlyThePagesWrittenForTheBrowser) {
    TempFolder t;
    const char* removed[] = {"Preview/tmp.htm", "Preview/20240101.htm", "Preview/tmp_RSS200.XML", "report.htm"};
    const char* kept[] = {"index.htm", "index_RSS200.XML", "20240105.htm", "keep.txt", "RaravLog/2024_01.htm"};
    for (const char* f : removed) t.write(f, "x");
    for (const char* f : kept) t.write(f, "x");
    Startup::removeGeneratedPages(t.path(), {t.file("report.htm"), t.file("never-written.htm")});
    for (const char* f : removed) EXPECT_FALSE(QFile::exists(t.file(f))) << f;
    for (const char* f : kept) EXPECT_TRUE(QFile::exists(t.file(f))) << f;
}

// An update killed while its files were put in place, as its journal
// records: the program's next start puts the old program back, removes the
// added file, says the update did not take, and leaves no work folder.
TEST(Startup, AKilledUpdateIsUndoneAtTheNextStart) {
    TempFolder t;
    const QString prog = t.file("prog/");
    t.write("prog/Rarav", "new program");
    t.write("prog/added.txt", "new file");
    const QString work = t.file(".prog-update-Ab12Cd/");
    t.write(".prog-update-Ab12Cd/old/Rarav", "old program");
    t.write(".prog-update-Ab12Cd/journal", "R Rarav\nF added.txt\nF not-yet-placed.txt\n");
    {
        ScopedPrompts p;
        p->expectMessage("前回のアップデートは中断されたため、元に戻しました。");
        Startup::finishInterruptedUpdate(prog);
    }
    EXPECT_EQ(t.read("prog/Rarav"), "old program");
    EXPECT_FALSE(QFileInfo::exists(t.file("prog/added.txt")));
    EXPECT_FALSE(QFileInfo::exists(work));
    Startup::finishInterruptedUpdate(prog);  // nothing left: no message
}

}  // namespace

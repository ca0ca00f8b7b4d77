#include "platform/clock.h"
#include "platform/database.h"
#include "shell/main_window.h"
#include "core/ini_file.h"
#include "core/rarav_ini.h"
#include "core/window_place.h"
#include "writing/frm_calender.h"

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QCalendarWidget>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Runs start-up in a fresh copy of the build's program folder.
class MainWindowStart : public ::testing::Test {
protected:
    void SetUp() override {
        myPath = copyProgramFolder(t.path() + "prog");
        Shell::state() = Shell::SharedState();
        Shell::state().MyPath = myPath;
        Clock::set(QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    }
    void TearDown() override {
        delete MDIFormTop::instance();
        Shell::state() = Shell::SharedState();
        Clock::reset();
    }
    TempFolder t;
    QString myPath;
};

TEST_F(MainWindowStart, FirstStartSetsUpTheUserFolderAndState) {
    ScopedPrompts prompts;
    MDIFormTop* top = MDIFormTop::instance();
    ASSERT_TRUE(top->MDIForm_Load());
    const auto& s = Shell::state();
    EXPECT_EQ(s.UserPath, myPath + "UserData/");
    EXPECT_EQ(s.DataPath, s.UserPath);
    EXPECT_EQ(s.Today, QStringLiteral("2024/03/15"));
    EXPECT_EQ(s.EnterDay, s.Today);
    EXPECT_GT(s.CurrentVersion, 0);
    EXPECT_GE(Database(s.databasePath()).scalar("SELECT VersionInfo FROM DBInfo").toInt(), 220);
    for (const char* f : {"RaravParts/Shinny.gif", "ExportFormat/TEXT.txt", "Customize", "RaravLog"})
        EXPECT_TRUE(QFile::exists(s.DataPath + f)) << f;
    EXPECT_EQ(RaravIni::read(s.RaravIniFile, RaravIni::CustomizeIniFileName), s.DataPath + "Customize/Customize.ini");
    EXPECT_EQ(top->calender()->Calender->selectedDate(), QDate(2024, 3, 15));
    EXPECT_TRUE(top->windowTitle().startsWith("Quillby v"));

    top->MDIForm_Unload();
    EXPECT_GT(IniFile::GetIniInt(s.RaravIniFile, "ParentForm", "Width"), 0);
}

TEST_F(MainWindowStart, InvalidDataFolderAsksForOneAndCancelEnds) {
    QDir().mkpath(myPath + "UserData");
    IniFile::WriteIniString(myPath + "UserData/rarav.ini", "ALL", "DataPath", "");
    ScopedPrompts prompts;
    prompts->expectMessage("データ保存先フォルダが不正です。", Prompts::vbOK)
        .expectFolder("", "フォルダの選択")
        .expectMessage("Quillbyを再起動して", Prompts::vbOK);
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_EQ(IniFile::GetIniString(myPath + "UserData/rarav.ini", "ALL", "DataPath", "unchanged"), QString());
}

TEST_F(MainWindowStart, ChosenDataFolderIsStoredAsReturned) {
    QDir().mkpath(myPath + "UserData");
    IniFile::WriteIniString(myPath + "UserData/rarav.ini", "ALL", "DataPath", myPath + "gone");
    const QString chosen = t.path() + "diary";
    QDir().mkpath(chosen);
    ScopedPrompts prompts;
    prompts->expectMessage("データ保存先フォルダが不正です。").expectFolder(chosen);
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_EQ(Shell::state().DataPath, chosen + "/");
    EXPECT_EQ(IniFile::GetIniString(myPath + "UserData/rarav.ini", "ALL", "DataPath"), chosen);
    EXPECT_TRUE(QFile::exists(chosen + "/RaravParts/Snowy.gif"));
}

TEST_F(MainWindowStart, SecondInstanceEndsAtOnceSilently) {
    ScopedPrompts prompts;
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    // A second program in the same folder quits before showing anything.
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RARAV_HOME", myPath);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(RARAV_BUILD_BIN "/Rarav"), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
}

TEST_F(MainWindowStart, StoredWindowPositionIsAppliedOnlyWhereNotZero) {
    QDir().mkpath(myPath + "UserData");
    const QString ini = myPath + "UserData/rarav.ini";
    IniFile::WriteIniString(ini, "ALL", "DataPath", myPath + "UserData/");
    IniFile::WriteIniString(ini, "ParentForm", "Width", "12000");
    IniFile::WriteIniString(ini, "ParentForm", "Height", "0");
    ScopedPrompts prompts;
    MDIFormTop* top = MDIFormTop::instance();
    const int designedHeight = top->height();
    ASSERT_TRUE(top->MDIForm_Load());
    EXPECT_EQ(top->width(), 800);
    EXPECT_EQ(top->height(), designedHeight);
}

TEST_F(MainWindowStart, APlaceOffTheScreenIsBroughtBackOnIt) {
    QDir().mkpath(myPath + "UserData");
    const QString ini = myPath + "UserData/rarav.ini";
    IniFile::WriteIniString(ini, "ALL", "DataPath", myPath + "UserData/");
    IniFile::WriteIniString(ini, "ParentForm", "Top", "-30000");
    IniFile::WriteIniString(ini, "ParentForm", "Left", "90000");
    ScopedPrompts prompts;
    MDIFormTop* top = MDIFormTop::instance();
    ASSERT_TRUE(top->MDIForm_Load());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(top->geometry().topLeft(), WindowPlace::onScreen(QPoint(6000, -2000), area));
    EXPECT_TRUE(area.contains(top->geometry().topLeft()));
}

TEST_F(MainWindowStart, AMissingDefaultDatabaseIsNamed) {
    QFile::remove(myPath + "default.mdb");
    ScopedPrompts prompts;
    prompts->expectMessage(QStringLiteral("default.mdbが見つかりません。"), Prompts::vbOK, Prompts::vbCritical);
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_FALSE(QFile::exists(myPath + "UserData/rarav.mdb"));
}

}  // namespace

#include "modal_helper.h"
#include "core/browser_pages.h"
#include "shell/frm_login.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class StartupLoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        myPath = copyProgramFolder(t.path());
        Shell::state().MyPath = myPath;
    }
    void TearDown() override {
        if (MDIFormTop::exists()) {
            MDIFormTop::instance()->MDIForm_Unload();
            delete MDIFormTop::instance();
        }
        Shell::state() = Shell::SharedState();
    }
    void writeUserList() {
        t.writeText(QStringLiteral("quillbyuser.ini"),
                    QStringLiteral("[taro]\nID=taro\nPass=dcb\n[Previous]\nID=taro\n"));
    }
    static void login(const QString& user, const QString& password, bool ok = true) {
        onNextModal<frmLogin>([=](frmLogin* d) {
            d->txtUID->setText(user);
            d->txtPassword->setText(password);
            ok ? d->Btn_Login->click() : d->Btn_Cancel->click();
        });
    }

    // Ends the running program and starts a new one in the same folder.
    void restart() {
        MDIFormTop::instance()->MDIForm_Unload();
        delete MDIFormTop::instance();
        Shell::state() = Shell::SharedState();
        Shell::state().MyPath = myPath;
    }
    void useProgramFolder(const QString& name) {
        myPath = copyProgramFolder(t.file(name));
        Shell::state().MyPath = myPath;
    }

    TempFolder t;
    ScopedPrompts p;
    QString myPath;
};

// A program folder whose path CP932 cannot hold, or holds only as bytes that
// read back as other characters (the wave dash, the yen sign): the settings
// keep the real path, so the second start asks nothing and uses the same data.
TEST_F(StartupLoginTest, ProgramFolderWithANameOutsideCp932SingleUser) {
    for (const QString& name : {QStringLiteral("josé"), QStringLiteral("wave〜dash¥")}) {
        useProgramFolder(name);
        ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load()) << name.toStdString();
        const QString userData = myPath + QStringLiteral("UserData/");
        EXPECT_EQ(Shell::state().DataPath, userData);
        EXPECT_TRUE(t.read(name + QStringLiteral("/UserData/rarav.ini")).startsWith("\xEF\xBB\xBF"));
        restart();
        ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load()) << name.toStdString();
        EXPECT_EQ(Shell::state().DataPath, userData);
        EXPECT_EQ(Shell::state().UserPath, userData);
        restart();
    }
    EXPECT_FALSE(QFileInfo::exists(t.file(QStringLiteral("jos?"))));
}

TEST_F(StartupLoginTest, ProgramFolderWithAnAccentedNameMultiUser) {
    useProgramFolder(QStringLiteral("josé"));
    t.writeText(QStringLiteral("josé/quillbyuser.ini"), QStringLiteral("[taro]\nID=taro\nPass=dcb\n[Previous]\nID=taro\n"));
    login(QStringLiteral("taro"), QStringLiteral("abc"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    const QString taro = myPath + QStringLiteral("taro/");
    EXPECT_EQ(Shell::state().UserPath, taro);
    EXPECT_EQ(Shell::state().DataPath, taro);
    restart();
    login(QStringLiteral("taro"), QStringLiteral("abc"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_EQ(Shell::state().UserPath, taro);
    EXPECT_EQ(Shell::state().DataPath, taro);
    EXPECT_FALSE(QFileInfo::exists(t.file(QStringLiteral("jos?"))));
}

TEST_F(StartupLoginTest, AcceptedLoginStartsInTheUsersFolder) {
    writeUserList();
    login(QStringLiteral("taro"), QStringLiteral("abc"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    const auto& s = Shell::state();
    EXPECT_TRUE(s.IsLogin);
    EXPECT_EQ(s.UserID, QStringLiteral("taro"));
    EXPECT_EQ(s.UserPath, myPath + QStringLiteral("taro/"));
    EXPECT_TRUE(MDIFormTop::instance()->windowTitle().endsWith(QStringLiteral(" [User:taro]")));
}

TEST_F(StartupLoginTest, RefusedOrCancelledLoginEndsTheProgram) {
    writeUserList();
    login(QStringLiteral("taro"), QStringLiteral("ABC"));
    p->expectMessage(QStringLiteral("不正なユーザもしくはパスワードです。\r\nQuillbyを終了します。"), Prompts::vbOK,
                     Prompts::vbCritical);
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    delete MDIFormTop::instance();

    login(QStringLiteral("taro"), QStringLiteral("abc"), false);
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_FALSE(QFileInfo(myPath + QStringLiteral("taro")).exists());
}

// A pasted name that would add a user with another user's folder: the list
// keeps its bytes, and nobody is logged in.
TEST_F(StartupLoginTest, PastedNameWithLineBreaksAddsNoUser) {
    writeUserList();
    const QByteArray before = t.read(QStringLiteral("quillbyuser.ini"));
    const QString pasted =
        QStringLiteral("nobody\r\n[mallory]\r\nID=mallory\r\nPass=\r\nPath=") + myPath + QStringLiteral("taro/");
    onNextModal<frmLogin>([=](frmLogin* d) {
        d->txtUID->setText(pasted);
        d->Btn_Login->click();
        EXPECT_FALSE(d->IsOK);
        d->Btn_Cancel->click();
    });
    p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_FALSE(Shell::state().IsLogin);
    EXPECT_EQ(t.read(QStringLiteral("quillbyuser.ini")), before);

    // Nor does a name that is no user write anything.
    delete MDIFormTop::instance();
    login(QStringLiteral("mallory"), QString());
    p->expectMessage(QStringLiteral("不正なユーザもしくはパスワードです。\r\nQuillbyを終了します。"));
    EXPECT_FALSE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_EQ(t.read(QStringLiteral("quillbyuser.ini")), before);
}

// A logged-in user's site is saved where the save dialog opens, the data
// folder. Ending the program removes the pages written for the browser and
// the information report, and keeps the site: gone, the next upload was
// refused for the missing pages.
TEST_F(StartupLoginTest, ShutDownKeepsTheSiteSavedInTheDataFolder) {
    writeUserList();
    login(QStringLiteral("taro"), QStringLiteral("abc"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    const QString data = Shell::state().DataPath;
    ASSERT_EQ(Shell::state().FilePath, data);
    p->expectSaveFile(data + QStringLiteral("diary.htm"));
    MDIFormTop::instance()->menus->item(QStringLiteral("MnuSaveHTML"))->trigger();
    ASSERT_TRUE(QFileInfo::exists(data + QStringLiteral("diary.htm")));
    t.write(QStringLiteral("taro/diary_RSS200.xml"), "feed");
    t.write(QStringLiteral("taro/own notes.htm"), "the user's own page");
    t.write(QStringLiteral("taro/QuillbyInfo_result.htm"), "report");
    const QString preview = BrowserPages::folder(data) + QStringLiteral("tmp.htm");
    ASSERT_TRUE(QFileInfo::exists(preview));

    restart();
    for (const char* kept : {"diary.htm", "diary_RSS200.xml", "own notes.htm"})
        EXPECT_TRUE(QFileInfo::exists(data + QLatin1String(kept))) << kept;
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("QuillbyInfo_result.htm")));
    EXPECT_FALSE(QFileInfo::exists(preview));
}

TEST_F(StartupLoginTest, AListWithNobodyInItStartsSingleUser) {
    t.writeText(QStringLiteral("quillbyuser.ini"), QStringLiteral("[taro]\nPath=/x/\n[Previous]\nID=taro\n"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_FALSE(Shell::state().IsLogin);
    EXPECT_EQ(Shell::state().UserPath, myPath + QStringLiteral("UserData/"));
}

TEST_F(StartupLoginTest, LayoutLanguageAndMenusAtTheEndOfStartUp) {
    t.writeText(QStringLiteral("UserData/rarav.ini"),
                QStringLiteral("[Initialize]\nWindowPosition=1\nShowStartUpForm=1\n[ALL]\nMenuLanguage=English\nDataPath=") +
                    myPath + QStringLiteral("UserData/\n"));
    t.writeText(QStringLiteral("update.txt"), QStringLiteral("[Update]\nVersion=180\n"));
    MDIFormTop* top = MDIFormTop::instance();
    ASSERT_TRUE(top->MDIForm_Load());
    EXPECT_EQ(top->mdiArea->subWindowList().size(), 3);
    EXPECT_EQ(top->menus->item(QStringLiteral("MnuFile"))->text(), QStringLiteral("&File"));
    EXPECT_TRUE(top->menus->item(QStringLiteral("MnuQuillbyUpdater"))->isEnabled());
    EXPECT_FALSE(top->menus->item(QStringLiteral("mnuQuillbyMemo"))->isEnabled());
    EXPECT_TRUE(top->menus->item(QStringLiteral("MnuNoPlugin"))->isVisible());
    EXPECT_FALSE(top->menus->item(QStringLiteral("MnuPING"))->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QLatin1String("StartForm") && w->isVisible());
}

}  // namespace

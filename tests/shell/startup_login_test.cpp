#include "modal_helper.h"
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

// A program folder whose path CP932 cannot hold: the settings keep the real
// path, so the second start asks nothing and uses the same data.
TEST_F(StartupLoginTest, ProgramFolderWithAnAccentedNameSingleUser) {
    useProgramFolder(QStringLiteral("josé"));
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    const QString userData = myPath + QStringLiteral("UserData/");
    EXPECT_EQ(Shell::state().DataPath, userData);
    EXPECT_TRUE(t.read(QStringLiteral("josé/UserData/rarav.ini")).startsWith("\xEF\xBB\xBF"));
    restart();
    ASSERT_TRUE(MDIFormTop::instance()->MDIForm_Load());
    EXPECT_EQ(Shell::state().DataPath, userData);
    EXPECT_EQ(Shell::state().UserPath, userData);
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

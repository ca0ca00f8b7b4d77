#include "modal_helper.h"
#include "shell/frm_login.h"
#include "shell/frm_user_manager.h"
#include "core/shared_state.h"
#include "core/user_list.h"
#include "tests/support/full_disk.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Answers the next password dialog: both boxes, or OK/Cancel.
QTimer* answerPassword(const QString& first, const QString& second, bool ok = true) {
    return onNextModal<frmPassword>([=](frmPassword* d) {
        d->txtPassword->setText(first);
        d->txtNewPassword->setText(second);
        ok ? d->Btn_OK->click() : d->Btn_Cancel->click();
    });
}

class UserManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        Shell::state().MyPath = t.path();
    }
    void TearDown() override { Shell::state() = Shell::SharedState(); }
    QString list() const { return t.file(QStringLiteral("quillbyuser.ini")); }
    void addUser(const QString& name, const QString& password) {
        UserList::addId(list(), name);
        UserList::setPassword(list(), name, password);
    }
    TempFolder t;
    ScopedPrompts p;
};

TEST_F(UserManagerTest, WithoutAListOnlyMakingIsPossible) {
    frmUserManager m;
    EXPECT_TRUE(m.Btn_MakeUser->isEnabled());
    for (QPushButton* b : {m.Btn_ChangePassword, m.Btn_DeleteUser, m.Btn_ChangeUserPath, m.Btn_SingleToComplex})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(UserManagerTest, MakesAUserWithPasswordAndFolder) {
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名を入力してください。"), QStringLiteral("taro"))
        .expectMessage(QStringLiteral("新しいユーザー「taro」を作成しました。"));
    answerPassword(QStringLiteral("pw"), QStringLiteral("pw"));
    m.Btn_MakeUser_Click();
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("taro"), QStringLiteral("pw")));
    EXPECT_TRUE(QFileInfo(t.path() + QStringLiteral("taro")).isDir());
    EXPECT_EQ(UserList::userFolder(t.path(), QStringLiteral("taro")), t.path() + QStringLiteral("taro/"));
    EXPECT_EQ(m.txtUID->count(), 1);

    // The same name again is refused.
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("taro"))
        .expectMessage(QStringLiteral("すでにそのユーザーは存在します。"), Prompts::vbOK, Prompts::vbCritical);
    m.Btn_MakeUser_Click();
}

TEST_F(UserManagerTest, MismatchedOrCancelledPasswordsMakeNoUser) {
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("taro"));
    answerPassword(QStringLiteral("one"), QStringLiteral("two"));
    m.Btn_MakeUser_Click();
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("jiro"));
    answerPassword(QString(), QString(), false);
    m.Btn_MakeUser_Click();
    EXPECT_TRUE(UserList::users(list()).isEmpty());
    EXPECT_FALSE(UserList::checkLogin(list(), QStringLiteral("jiro"), QString()));
}

// A pasted name or a folder whose name holds a line break would add lines to
// the user list: both are refused and the list keeps its bytes.
TEST_F(UserManagerTest, LineBreaksInNamesAndFoldersAreRefused) {
    addUser(QStringLiteral("taro"), QStringLiteral("pw"));
    Shell::state().UserID = QStringLiteral("taro");
    const QByteArray before = t.read(QStringLiteral("quillbyuser.ini"));
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("jiro\r\n[mallory]\r\nID=mallory"))
        .expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    m.Btn_MakeUser_Click();
    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectFolder(t.path() + QStringLiteral("odd\nPass=/"), QStringLiteral("ユーザーパスの指定"))
        .expectMessage(Prompts::kLineBreakRefused);
    answerPassword(QStringLiteral("pw"), QString());
    m.Btn_ChangeUserPath_Click();
    EXPECT_EQ(t.read(QStringLiteral("quillbyuser.ini")), before);
}

// The user list finds sections without regard to case, so "taro" would be
// written into Taro's section: refused, whatever the password dialog says,
// and Taro keeps the account.
TEST_F(UserManagerTest, ANameThatDiffersOnlyInCaseLeavesTheOtherUserAlone) {
    addUser(QStringLiteral("Taro"), QStringLiteral("pw"));
    UserList::setUserFolder(list(), QStringLiteral("Taro"), t.path() + QStringLiteral("Taro"));
    const QByteArray before = t.read(QStringLiteral("quillbyuser.ini"));
    frmUserManager m;
    for (const bool confirm : {false, true}) {
        p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("taro"))
            .expectMessage(QStringLiteral("ユーザー「Taro」"), Prompts::vbOK, Prompts::vbCritical);
        const QPointer<QTimer> answer = answerPassword(QStringLiteral("new"), QStringLiteral("new"), confirm);
        m.Btn_MakeUser_Click();
        delete answer.data();
        EXPECT_EQ(t.read(QStringLiteral("quillbyuser.ini")), before);
    }
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("Taro"), QStringLiteral("pw")));
    EXPECT_EQ(m.txtUID->count(), 1);
}

TEST_F(UserManagerTest, AnExistingFolderIsReusedWithItsFiles) {
    t.write(QStringLiteral("hanako/notes.txt"), "kept");
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("hanako"))
        .expectMessage(QStringLiteral("ユーザーフォルダはすでに存在するので、そのまま使用します。"))
        .expectMessage(QStringLiteral("作成しました"));
    answerPassword(QString(), QString());
    m.Btn_MakeUser_Click();
    EXPECT_EQ(t.read(QStringLiteral("hanako/notes.txt")), QByteArray("kept"));
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("hanako"), QString()));
}

// A plain file of the user's name stands where the folder would go: the first
// login could make no folder and would end the program, so no user is made.
TEST_F(UserManagerTest, AUserWhoseFolderCannotBeMadeIsNotMade) {
    t.write(QStringLiteral("hanako"), "a plain file");
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("hanako"))
        .expectMessage(QStringLiteral("ユーザーフォルダを作成できません。"), Prompts::vbOK, Prompts::vbCritical);
    answerPassword(QStringLiteral("pw"), QStringLiteral("pw"));
    m.Btn_MakeUser_Click();
    EXPECT_FALSE(UserList::userExists(list(), QStringLiteral("hanako")));
    EXPECT_EQ(m.txtUID->count(), 0);
    EXPECT_EQ(t.read(QStringLiteral("hanako")), QByteArray("a plain file"));
    EXPECT_FALSE(p->shown.join(QString()).contains(QStringLiteral("作成しました")));
}

TEST_F(UserManagerTest, DeletingNeedsTheUsersPassword) {
    addUser(QStringLiteral("taro"), QStringLiteral("pw"));
    Shell::state().UserID = QStringLiteral("taro");
    frmUserManager m;
    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectMessage(QStringLiteral("パスワードが一致しませんでした。\r\nユーザーの削除を中止します。"));
    answerPassword(QStringLiteral("wrong"), QString());
    m.Btn_DeleteUser_Click();
    EXPECT_TRUE(UserList::userExists(list(), QStringLiteral("taro")));

    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectMessage(QStringLiteral("ユーザーの削除が完了しました。"))
        .expectMessage(QStringLiteral("Quillbyを再起動してください。"));
    answerPassword(QStringLiteral("pw"), QString());
    m.Btn_DeleteUser_Click();
    EXPECT_FALSE(UserList::userExists(list(), QStringLiteral("taro")));
    EXPECT_EQ(m.txtUID->count(), 0);
}

// A list that cannot be written (here a folder stands in its place) is
// reported; the change is never announced as done.
TEST_F(UserManagerTest, AnUnwrittenPasswordIsNotAnnouncedAsChanged) {
    addUser(QStringLiteral("taro"), QStringLiteral("old"));
    Shell::state().UserID = QStringLiteral("taro");
    frmUserManager m;
    ASSERT_TRUE(QFile::rename(list(), list() + QStringLiteral(".kept")));
    ASSERT_TRUE(QDir().mkdir(list()));
    p->expectMessage(QStringLiteral("書き込みできません。"), Prompts::vbOK, Prompts::vbCritical);
    answerPassword(QStringLiteral("new"), QStringLiteral("new"));
    m.Btn_ChangePassword_Click();
    ASSERT_TRUE(QDir().rmdir(list()));
    ASSERT_TRUE(QFile::rename(list() + QStringLiteral(".kept"), list()));
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("taro"), QStringLiteral("old")));
}

// A list that cannot be rewritten (a full disk) keeps the user, who can still
// log in: the deletion is reported as not done, never as done.
TEST_F(UserManagerTest, AnUnwrittenDeletionIsNotAnnouncedAsDone) {
    addUser(QStringLiteral("taro"), QStringLiteral("pw"));
    frmUserManager m;
    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectMessage(QStringLiteral("書き込みできません。"), Prompts::vbOK, Prompts::vbCritical);
    answerPassword(QStringLiteral("pw"), QString());
    onFullDisk([&] {
        m.Btn_DeleteUser_Click();
        return true;
    });
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("taro"), QStringLiteral("pw")));
    EXPECT_EQ(m.txtUID->count(), 1);
    EXPECT_FALSE(p->shown.join(QString()).contains(QStringLiteral("完了")));
}

TEST_F(UserManagerTest, PasswordAndFolderChanges) {
    addUser(QStringLiteral("taro"), QStringLiteral("old"));
    Shell::state().UserID = QStringLiteral("taro");
    frmUserManager m;
    p->expectMessage(QStringLiteral("入力したパスワードが一致しません。\r\n変更はキャンセルします。"));
    answerPassword(QStringLiteral("a"), QStringLiteral("b"));
    m.Btn_ChangePassword_Click();
    p->expectMessage(QStringLiteral("パスワードの変更が完了しました！"));
    answerPassword(QStringLiteral("new"), QStringLiteral("new"));
    m.Btn_ChangePassword_Click();
    EXPECT_TRUE(UserList::checkLogin(list(), QStringLiteral("taro"), QStringLiteral("new")));

    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectFolder(QString(), QStringLiteral("ユーザーパスの指定"))
        .expectMessage(QStringLiteral("パスが不正なため、ユーザーパスの変更を中止します。"));
    answerPassword(QStringLiteral("new"), QString());
    m.Btn_ChangeUserPath_Click();
    p->expectFolder(t.path() + QStringLiteral("elsewhere"), QStringLiteral("ユーザーパスの指定"))
        .expectMessage(QStringLiteral("ユーザーパスの変更が完了しました。"));
    answerPassword(QStringLiteral("new"), QString());
    m.Btn_ChangeUserPath_Click();
    EXPECT_EQ(UserList::userFolder(t.path(), QStringLiteral("taro")), t.path() + QStringLiteral("elsewhere/"));
}

TEST_F(UserManagerTest, SingleUserMoveAsksAndReports) {
    addUser(QStringLiteral("taro"), QStringLiteral("pw"));
    t.write(QStringLiteral("UserData/rarav.mdb"), "single");
    frmUserManager m;
    EXPECT_FALSE(m.Btn_ChangePassword->isEnabled());  // nobody logged in
    m.txtUID->setCurrentText(QStringLiteral("taro"));
    p->expectMessage(QStringLiteral("選択しているユーザー(taro)にシングルユーザー時のデータを移行します。"), Prompts::vbNo,
                     Prompts::vbYesNo);
    answerPassword(QStringLiteral("pw"), QString());
    m.Btn_SingleToComplex_Click();
    EXPECT_FALSE(QFile::exists(t.path() + QStringLiteral("taro/rarav.mdb")));

    p->expectMessage(QStringLiteral("シングルユーザー時のデータを移行します。"), Prompts::vbYes)
        .expectMessage(QStringLiteral("完了しました！"));
    answerPassword(QStringLiteral("pw"), QString());
    m.Btn_SingleToComplex_Click();
    EXPECT_EQ(t.read(QStringLiteral("taro/rarav.mdb")), QByteArray("single"));
}

// A user named as the single-user data folder is refused before anything is
// written; one made so by an older list gets no data moved onto itself.
TEST_F(UserManagerTest, AUserWhoseFolderIsTheSingleUserFolderIsRefused) {
    t.write(QStringLiteral("UserData/rarav.ini"), "[ALL]\r\n");
    frmUserManager m;
    p->expectInput(QStringLiteral("ユーザー名"), QStringLiteral("UserData"))
        .expectMessage(QStringLiteral("Quillbyが使っているフォルダ"), Prompts::vbOK, Prompts::vbCritical);
    m.Btn_MakeUser_Click();
    EXPECT_FALSE(UserList::userExists(list(), QStringLiteral("UserData")));

    addUser(QStringLiteral("UserData"), QStringLiteral("pw"));
    frmUserManager again;
    again.txtUID->setCurrentText(QStringLiteral("UserData"));
    p->expectMessage(QStringLiteral("シングルユーザー時のデータのフォルダなので"), Prompts::vbOK, Prompts::vbCritical);
    again.Btn_SingleToComplex_Click();
    EXPECT_EQ(t.read(QStringLiteral("UserData/rarav.ini")), QByteArray("[ALL]\r\n"));
    EXPECT_FALSE(QFile::exists(t.file(QStringLiteral("UserData/rarav_BackUp.ini"))));
}

TEST(LoginWindow, RemembersTheLastNameOfAUser) {
    TempFolder t;
    const QString list =
        t.writeText(QStringLiteral("quillbyuser.ini"), QStringLiteral("[jiro]\nID=jiro\n[Previous]\nID=taro\n"));
    frmLogin login(list);
    EXPECT_EQ(login.txtUID->text(), QStringLiteral("taro"));
    EXPECT_EQ(login.txtPassword->echoMode(), QLineEdit::Password);
    login.txtUID->setText(QStringLiteral("jiro"));
    login.txtPassword->setText(QStringLiteral("pw"));
    login.Btn_Login->click();
    EXPECT_TRUE(login.IsOK);
    EXPECT_EQ(login.UID, QStringLiteral("jiro"));
    EXPECT_EQ(login.Password, QStringLiteral("pw"));
    EXPECT_EQ(UserList::previousId(list), QStringLiteral("jiro"));

    // A name that is no user is handed on, to be refused, but not written.
    const QByteArray before = t.read(QStringLiteral("quillbyuser.ini"));
    frmLogin other(list);
    other.txtUID->setText(QStringLiteral("saburo"));
    other.Btn_Login->click();
    EXPECT_TRUE(other.IsOK);
    EXPECT_EQ(other.UID, QStringLiteral("saburo"));
    EXPECT_EQ(t.read(QStringLiteral("quillbyuser.ini")), before);
}

}  // namespace

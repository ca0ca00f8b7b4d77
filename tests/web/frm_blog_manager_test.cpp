#include "platform/profile.h"
#include "core/pub_encrypt.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "web/blog_accounts.h"
#include "web/frm_blog_manager.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// A data folder with the blog description alpha, which asks for its posting
// address; the shared state points at it until the test ends.
class frmBlogManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state().DataPath = dir.path();
        Shell::state().RaravIniFile = dir.file(QStringLiteral("rarav.ini"));
        dir.writeText(QStringLiteral("BlogTemplate/alpha.ini"), QStringLiteral("[Simple]\nPostURL=Required\n"));
    }
    void TearDown() override { Shell::state() = Shell::SharedState(); }
    TempFolder dir;
};

}  // namespace

TEST_F(frmBlogManagerTest, EditsTheChosenBlogsAccountAndRemembersTheChoice) {
    dir.writeText(QStringLiteral("BlogTemplate/beta.ini"), QStringLiteral("[Simple]\nPostURL=http://fixed/\nNextURL=Required\n"));
    ScopedPrompts prompts;

    {
        // The default choice "mixi" has no description: nothing is chosen.
        frmBlogManager w;
        w.Form_Load();
        EXPECT_EQ(w.cmbBlog->count(), 2);
        EXPECT_EQ(w.cmbBlog->currentIndex(), -1);
        EXPECT_FALSE(w.txtLoginID->isEnabled());

        w.cmbBlog->setCurrentIndex(1);  // beta
        EXPECT_FALSE(w.txtPostURL->isEnabled());
        EXPECT_TRUE(w.txtNextURL->isEnabled());
        EXPECT_FALSE(w.Btn_Save->isEnabled());
        w.txtLoginID->setText(QStringLiteral("me"));
        w.txtPassword->setText(QStringLiteral("秘密pw"));
        w.txtNextURL->setText(QStringLiteral("http://next/"));
        ASSERT_TRUE(w.Btn_Save->isEnabled());
        w.Btn_Save->click();
        EXPECT_FALSE(w.Btn_Save->isEnabled());
        const QString file = BlogAccounts::file();
        EXPECT_EQ(Profile::keyNames(file, QStringLiteral("beta")),
                  (QStringList{"LoginID", "Password", "PostURL", "NextURL", "AccessURL"}));
        EXPECT_EQ(Profile::readString(file, QStringLiteral("beta"), QStringLiteral("Password")),
                  PubEncrypt::EncryptString(QStringLiteral("秘密pw")));

        // A password the scrambling cannot carry is refused.
        w.txtPassword->setText(QStringLiteral("a😀"));
        prompts->expectMessage(QStringLiteral("パスワードに使用できない文字"), Prompts::vbOK, Prompts::vbCritical);
        w.Btn_Save_Click();
        EXPECT_EQ(BlogAccounts::password(QStringLiteral("beta")), QStringLiteral("秘密pw"));

        // Switching loads the other account; unsaved edits are dropped on close.
        w.cmbBlog->setCurrentIndex(0);
        EXPECT_TRUE(w.txtPostURL->isEnabled());
        EXPECT_TRUE(w.txtLoginID->text().isEmpty());
        w.cmbBlog->setCurrentIndex(1);
        w.txtAccessURL->setText(QStringLiteral("http://unsaved/"));
        w.Btn_Close_Click();
    }
    EXPECT_TRUE(BlogAccounts::read(QStringLiteral("beta"), QStringLiteral("AccessURL")).isEmpty());
    frmBlogManager again;
    again.Form_Load();
    EXPECT_EQ(again.cmbBlog->currentText(), QStringLiteral("beta"));
    EXPECT_EQ(again.txtPassword->text(), QStringLiteral("秘密pw"));
    EXPECT_EQ(again.txtNextURL->text(), QStringLiteral("http://next/"));
}

// A pasted line break would add keys to the account file, and a blog whose
// name holds "]" or edge blanks would be written where no read finds it:
// both are refused with a message, and the file keeps its bytes.
TEST_F(frmBlogManagerTest, RefusesWhatTheAccountFileCouldNotReadBack) {
    dir.writeText(QStringLiteral("BlogTemplate/my]blog.ini"), QStringLiteral("[Simple]\n"));
    dir.writeText(QStringLiteral("BlogTemplate/ spaced .ini"), QStringLiteral("[Simple]\n"));
    const QString file = dir.writeText(QStringLiteral("BlogUserData.ini"), QStringLiteral("[alpha]\nLoginID=me\n"));
    const QByteArray before = dir.read(QStringLiteral("BlogUserData.ini"));
    ScopedPrompts prompts;
    frmBlogManager w;
    w.Form_Load();
    w.cmbBlog->setCurrentText(QStringLiteral("alpha"));
    w.txtPostURL->setText(QStringLiteral("http://post/\r\n[beta]\r\nPostURL=http://evil/"));
    prompts->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    w.Btn_Save_Click();
    for (const char* name : {"my]blog", " spaced "}) {
        w.cmbBlog->setCurrentText(QString::fromUtf8(name));
        ASSERT_EQ(w.cmbBlog->currentText(), QString::fromUtf8(name));
        w.txtLoginID->setText(QStringLiteral("me"));
        prompts->expectMessage(QStringLiteral("」は、「]」や前後の空白を含むため、アカウントを保存できません。"),
                               Prompts::vbOK, Prompts::vbCritical);
        w.Btn_Save_Click();
    }
    EXPECT_EQ(dir.read(QStringLiteral("BlogUserData.ini")), before);
    EXPECT_EQ(Profile::sectionNames(file), QStringList{QStringLiteral("alpha")});
}

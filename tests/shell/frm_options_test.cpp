#include "shell/frm_options.h"
#include "platform/profile.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        auto& s = Shell::state();
        s.MyPath = t.path();
        s.DataPath = t.path() + QStringLiteral("data/");
        s.RaravIniFile = t.file(QStringLiteral("rarav.ini"));
        t.write(QStringLiteral("data/.keep"), "");
        t.writeText(QStringLiteral("rarav.ini"), QStringLiteral("[Initialize]\nWindowPosition=3\n[FTP]\nPass=dcb\nPING=1\n"));
        Shell::hooks().setMenuBarString = [this] { ++captionCalls; };
        Shell::hooks().setMemoMenuEnabled = [this](bool on) { memoEnabled = on; };
    }
    void TearDown() override {
        Shell::state() = Shell::SharedState();
        Shell::hooks() = Shell::MainWindowHooks();
    }
    QString key(const char* section, const char* name) {
        return Profile::readString(t.file(QStringLiteral("rarav.ini")), QLatin1String(section), QLatin1String(name),
                                   QStringLiteral("<missing>"));
    }

    TempFolder t;
    ScopedPrompts p;
    int captionCalls = 0;
    bool memoEnabled = true;
};

TEST_F(OptionsTest, OpeningAndCancellingWritesOnlyThePosition) {
    frmOptions o;
    EXPECT_FALSE(o.Btn_Apply->isEnabled());
    EXPECT_EQ(o.txtFTP_Pass->text(), QStringLiteral("abc"));
    EXPECT_EQ(o.txtMakeRaravFontSize->text(), QStringLiteral("0"));
    EXPECT_EQ(o.txtPath_Zettik->text(), t.path());
    // WindowPosition 3 selects no button.
    EXPECT_FALSE(o.optOpenWindowPos_Saved->isChecked() || o.optOpenWindowPos_Std->isChecked() ||
                 o.optOpenWindowPos_Nothing->isChecked());
    EXPECT_FALSE(o.chkFTP_PING->isEnabled());  // no ping plug-in
    o.Btn_Cancel->click();
    EXPECT_EQ(key("Preference", "Left"), QStringLiteral("%1").arg(o.pos().x() * 15));
    EXPECT_EQ(key("FTP", "ID"), QStringLiteral("<missing>"));
    EXPECT_EQ(key("ALL", "MenuLanguage"), QStringLiteral("<missing>"));
    EXPECT_EQ(captionCalls, 0);
}

TEST_F(OptionsTest, CancelAfterAChangeAsks) {
    {
        frmOptions o;
        o.chkShowStartUpForm->click();
        EXPECT_TRUE(o.Btn_Apply->isEnabled());
        p->expectMessage(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbNo, Prompts::vbYesNo);
        o.Btn_Cancel->click();
        EXPECT_EQ(key("Initialize", "ShowStartUpForm"), QStringLiteral("<missing>"));
    }
    {
        // Changes the old window ignored count as changes too.
        frmOptions o;
        o.optOpenWindowPos_Saved->click();
        p->expectMessage(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbYes);
        o.Btn_Cancel->click();
        EXPECT_EQ(key("Initialize", "WindowPosition"), QStringLiteral("2"));
        EXPECT_EQ(key("Initialize", "ShowStartUpForm"), QStringLiteral("0"));
    }
    {
        frmOptions o;
        o.txtPtagAdd->setText(QStringLiteral("class=\"x\""));
        o.Btn_Apply->click();
        o.Btn_Cancel->click();  // nothing changed since Apply: no question
        EXPECT_EQ(key("raravEditer", "P_TagAdd"), QStringLiteral("class=\"x\""));
    }
}

TEST_F(OptionsTest, ApplyStoresWhatTheWindowShows) {
    Shell::state().DataPath = t.path() + QStringLiteral("data");  // no final "/"
    frmOptions o;
    EXPECT_EQ(Shell::state().DataPath, t.path() + QStringLiteral("data/"));
    o.optMnuLanguageEng->click();
    o.txtFTP_Pass->setText(QStringLiteral("新pass"));
    o.txtFTP_ID->setText(QStringLiteral("user"));
    o.txtMakeRaravFontSize->setText(QStringLiteral("-5"));
    o.txtPath_Zettik->setText(t.path() + QStringLiteral("memo"));
    o.Btn_Apply->click();
    EXPECT_EQ(key("ALL", "MenuLanguage"), QStringLiteral("English"));
    EXPECT_EQ(captionCalls, 1);
    EXPECT_EQ(key("ALL", "DataPath"), t.path() + QStringLiteral("data"));
    EXPECT_EQ(key("FTP", "Pass"), QStringLiteral("ttbq") + QChar(0x664B));  // "新" is 0x9056 in CP932
    EXPECT_EQ(key("FTP", "PING"), QStringLiteral("1"));  // disabled, written back unchanged
    EXPECT_EQ(key("Initialize", "WindowPosition"), QStringLiteral("3"));
    EXPECT_EQ(key("RaravEditer", "ContentsFontSize"), QStringLiteral("12"));
    EXPECT_FALSE(memoEnabled);
    EXPECT_FALSE(o.Btn_Apply->isEnabled());

    // The memo tool is found only in a folder written with its final "/".
    t.write(QStringLiteral("memo/Zettik"), "");
    o.txtPath_Zettik->setText(t.path() + QStringLiteral("memo/"));
    o.Btn_Apply->click();
    EXPECT_TRUE(memoEnabled);
    EXPECT_TRUE(Shell::state().IsZettik);

    frmOptions again;
    EXPECT_EQ(again.txtFTP_Pass->text(), QStringLiteral("新pass"));
    EXPECT_TRUE(again.optMnuLanguageEng->isChecked());
}

// "!" scrambles to a double quote: such a password still reads back whole.
// One the scrambling cannot carry is refused and nothing is written.
TEST_F(OptionsTest, FtpPasswordsReadBackWholeOrAreRefused) {
    for (const QString& pass : {QStringLiteral("!abc!"), QStringLiteral("!x!"), QStringLiteral("!")}) {
        frmOptions o;
        o.txtFTP_Pass->setText(pass);
        EXPECT_TRUE(o.Btn_Apply_Click());
        frmOptions again;
        EXPECT_EQ(again.txtFTP_Pass->text(), pass);
    }
    const QByteArray before = t.read(QStringLiteral("rarav.ini"));
    // Tab and form feed scramble to line breaks, "~" to a delete.
    for (const QString& pass : {QStringLiteral("pé"), QStringLiteral("ab\tcd"), QStringLiteral("ab\fcd"), QStringLiteral("a~")}) {
        frmOptions o;
        o.txtFTP_Pass->setText(pass);
        o.txtFTP_ID->setText(QStringLiteral("other"));
        p->expectMessage(QStringLiteral("パスワードに使用できない文字が含まれています。"), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_FALSE(o.Btn_Apply_Click());
        EXPECT_EQ(t.read(QStringLiteral("rarav.ini")), before);
    }
}

// A pasted text with line breaks would add a second [ALL] section and move
// later keys into it: it is refused, and the file keeps its bytes.
TEST_F(OptionsTest, PastedLineBreaksAreRefusedAndTheFileKept) {
    const QByteArray before = t.read(QStringLiteral("rarav.ini"));
    const QString pasted = QStringLiteral("class=\"x\"\r\n[ALL]\r\nDataPath=/tmp/");
    for (auto box : {&frmOptions::txtPtagAdd, &frmOptions::txtFTP_URL, &frmOptions::txtFTP_Pass, &frmOptions::txtSaveFolder}) {
        frmOptions o;
        o.chkShowStartUpForm->click();
        (o.*box)->setText(pasted);
        p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
        EXPECT_FALSE(o.Btn_Apply_Click());
        EXPECT_EQ(t.read(QStringLiteral("rarav.ini")), before);
        (o.*box)->setText(QStringLiteral("x\ny"));
        p->expectMessage(Prompts::kLineBreakRefused);
        o.Btn_OK->click();
        EXPECT_EQ(t.read(QStringLiteral("rarav.ini")), before);
    }
}

// Nothing of a failed Apply reaches the running program: the data folder,
// the menu language and the memo tool stay as the settings file has them.
TEST_F(OptionsTest, SettingsThatCannotBeWrittenAreReportedAndNotTakenUp) {
    Shell::state().RaravIniFile = t.path() + QStringLiteral("data");  // a folder, not a file
    Shell::state().Path_Zettik = QStringLiteral("/old/memo/");
    frmOptions o;
    t.write(QStringLiteral("新しい〜/.keep"), "");
    t.write(QStringLiteral("memo/Zettik"), "");
    o.txtSaveFolder->setText(t.path() + QStringLiteral("新しい〜"));
    o.optMnuLanguageEng->setChecked(true);
    o.txtPath_Zettik->setText(t.path() + QStringLiteral("memo/"));
    p->expectMessage(QStringLiteral("書き込みできません。"), Prompts::vbOK, Prompts::vbCritical);
    EXPECT_FALSE(o.Btn_Apply_Click());
    EXPECT_EQ(Shell::state().DataPath, t.path() + QStringLiteral("data/"));
    EXPECT_EQ(Shell::state().Path_Zettik, QStringLiteral("/old/memo/"));
    EXPECT_FALSE(Shell::state().IsZettik);
    EXPECT_EQ(captionCalls, 0);
    EXPECT_TRUE(memoEnabled);  // never called
}

TEST_F(OptionsTest, ABadDataFolderIsRefusedAndTheOldOneKept) {
    frmOptions o;
    o.show();
    o.txtSaveFolder->setText(t.path() + QStringLiteral("missing"));
    o.chkClipWithHTML->click();
    p->expectMessage(QStringLiteral("「データ保存先フォルダ」が不正です。"), Prompts::vbOK, Prompts::vbCritical);
    o.Btn_OK->click();
    EXPECT_TRUE(o.isVisible());
    EXPECT_EQ(key("ALL", "DataPath"), QStringLiteral("<missing>"));
    EXPECT_EQ(Shell::state().DataPath, t.path() + QStringLiteral("data/"));
    EXPECT_EQ(key("ALL", "ClipWithHTML"), QStringLiteral("1"));  // the rest is stored
    EXPECT_TRUE(o.changed());

    o.txtSaveFolder->setText(t.path());
    o.Btn_OK->click();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(Shell::state().DataPath, t.path());
}

TEST_F(OptionsTest, FontSizeIsCheckedWhenLeft) {
    frmOptions o;
    struct Case {
        const char* typed;
        const char* after;
        bool message;
    };
    const Case cases[] = {{"14", "14", false}, {"0", "12", false}, {"-5", "12", false}, {"abc", "abc", true}};
    for (const Case& c : cases) {
        if (c.message) p->expectMessage(QStringLiteral("不正な文字が入力されました。半角数字を入力してください。"));
        o.txtMakeRaravFontSize->setText(QLatin1String(c.typed));
        o.txtMakeRaravFontSize_LostFocus();
        EXPECT_EQ(o.txtMakeRaravFontSize->text(), QLatin1String(c.after)) << c.typed;
    }
}

TEST_F(OptionsTest, FolderButtons) {
    frmOptions o;
    p->expectFolder(t.path() + QStringLiteral("data"), QStringLiteral("フォルダの選択"))
        .expectFolder(t.path() + QStringLiteral("memo"), QStringLiteral("Zettikインストールフォルダの選択"))
        .expectFolder(QString(), QStringLiteral("フォルダの選択"));
    o.BtnOpenFolder_Click();
    o.Btn_Open_Zettik_Click();
    o.BtnOpenFolder_Click();  // cancelled: unchanged
    EXPECT_EQ(o.txtSaveFolder->text(), t.path() + QStringLiteral("data"));
    EXPECT_EQ(o.txtPath_Zettik->text(), t.path() + QStringLiteral("memo/"));
}

}  // namespace

#include "design/frm_setting.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "core/addresses.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

class SiteSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Shell::state();
        savedHooks = Shell::hooks();
        Shell::SharedState& s = Shell::state();
        s.RaravIniFile = tmp.file("rarav.ini");
        s.FrameIniFile = tmp.file("Frame.ini");
        s.RSSIniFile = tmp.file("RSS.ini");
        s.HaloScanIniFile = tmp.file("HaloScan.ini");
        s.BlogIniFile = tmp.file("Blog.ini");
        Shell::hooks() = {};
        Shell::hooks().showBlogManager = [this] { calls << "BlogManager"; };
        Shell::hooks().navigateBrowser = [this](const QString& a) { calls << a; };
    }
    void TearDown() override {
        Shell::state() = saved;
        Shell::hooks() = savedHooks;
    }
    void open() {
        window = std::make_unique<frmSetting>();
        window->Form_Load();
    }
    bool siteFilesExist() const {
        for (const char* f : {"Frame.ini", "RSS.ini", "HaloScan.ini", "Blog.ini"})
            if (Files::exists(tmp.file(f))) return true;
        return false;
    }

    TempFolder tmp;
    Shell::SharedState saved;
    Shell::MainWindowHooks savedHooks;
    std::unique_ptr<frmSetting> window;
    QStringList calls;
};

}  // namespace

TEST_F(SiteSettingsWindow, WithoutFilesShowsTheDefaultsAndOkWritesThem) {
    ScopedPrompts p;
    open();
    frmSetting& w = *window;
    for (QCheckBox* c : {w.chkRaravDivide, w.chkRaravOnTop, w.chkUseFileName2Day, w.chkLogDivide, w.chkUseFrame,
                         w.chkScrolling, w.chkResize, w.chkUseRSS, w.chkUseHaloScan})
        EXPECT_FALSE(c->isChecked()) << c->objectName().toStdString();
    for (QCheckBox* c : {w.chkBlog_Status, w.chkBlog_AcceptComment, w.chkBlog_AcceptTrackBack, w.chkBlog_PandBRTag})
        EXPECT_TRUE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_EQ(w.cmbRaravTerm->currentText(), "31");
    EXPECT_TRUE(w.optTopLink_PageTop->isChecked());
    EXPECT_EQ(w.txtRSS_Title->text(), "日記");
    EXPECT_EQ(w.txtRSS_Description->toPlainText(), "日記です。");
    EXPECT_FALSE(w.Btn_Apply->isEnabled());
    for (QWidget* c : std::initializer_list<QWidget*>{w.cmbRaravTerm, w.chkRaravOnTop, w.txtCalenderFrameSize,
                                                      w.txtFRAMEBORDER, w.chkScrolling, w.chkResize})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    EXPECT_FALSE(w.isChanged());

    w.Btn_OK_Click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Divide", "RaravTerm"), "31");
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Divide", "TopLink"), "PageTop");
    EXPECT_EQ(Profile::readString(tmp.file("RSS.ini"), "Setting", "Title"), "日記");
    EXPECT_EQ(Profile::readString(tmp.file("HaloScan.ini"), "GENERAL", "HaloScanOn"), "0");
    EXPECT_EQ(Profile::readString(tmp.file("Blog.ini"), "PandBRTag", "Type"), "1");
    EXPECT_TRUE(Files::exists(tmp.file("rarav.ini")));  // the position, stored on every close
}

TEST_F(SiteSettingsWindow, ShowsTheStoredSettingsAndCancelWritesOnlyWhenAsked) {
    tmp.writeText("Frame.ini", "[Divide]\nRaravDivide=1\nRaravTerm=7\nTopLink=TopPage\n[Frame]\nBorder=2px\n");
    tmp.writeText("RSS.ini", "[GENERAL]\nRSSOn=1\n[Setting]\nTitle=わたしの日記\n[ATOM]\nAuthor=花子\n");
    tmp.writeText("HaloScan.ini", "[GENERAL]\nHaloScanOn=1\nUserName=hanako\n");
    tmp.writeText("Blog.ini", "[SIMPLE]\nStatus=0\n");
    const QByteArray frame = tmp.read("Frame.ini");
    ScopedPrompts p;
    open();
    frmSetting& w = *window;
    EXPECT_TRUE(w.chkRaravDivide->isChecked());
    EXPECT_EQ(w.cmbRaravTerm->currentText(), "7");
    EXPECT_TRUE(w.cmbRaravTerm->isEnabled());
    EXPECT_FALSE(w.chkUseFileName2Day->isEnabled());  // only a term of one day names pages by date
    EXPECT_TRUE(w.optTopLink_TopPage->isChecked());
    EXPECT_EQ(w.txtFRAMEBORDER->text(), "2px");
    EXPECT_TRUE(w.chkUseRSS->isChecked());
    EXPECT_EQ(w.txtRSS_Title->text(), "わたしの日記");
    EXPECT_EQ(w.txtATOM_Author->text(), "花子");
    EXPECT_TRUE(w.chkUseHaloScan->isChecked());
    EXPECT_EQ(w.txtHaloScanUserName->text(), "hanako");
    EXPECT_FALSE(w.chkBlog_Status->isChecked());
    EXPECT_TRUE(w.chkBlog_AcceptComment->isChecked());
    EXPECT_FALSE(w.Btn_Apply->isEnabled());

    w.cmbRaravTerm->setCurrentText("1");
    EXPECT_TRUE(w.chkUseFileName2Day->isEnabled());
    w.cmbRaravTerm->setCurrentText("2");
    EXPECT_FALSE(w.chkUseFileName2Day->isEnabled());
    w.TabStrip1->setCurrentIndex(1);
    w.chkUseFrame->click();
    EXPECT_TRUE(w.txtCalenderFrameSize->isEnabled());
    EXPECT_TRUE(w.lblFRAMEBORDER->isEnabled());
    EXPECT_TRUE(w.chkResize->isEnabled());
    EXPECT_TRUE(w.Btn_Apply->isEnabled());

    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
    w.Btn_Cancel_Click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(tmp.read("Frame.ini"), frame);

    // Apply keeps the window changed, so a later Cancel asks again; Yes writes.
    open();
    window->TabStrip1->setCurrentIndex(1);
    window->chkUseFrame->click();
    window->Btn_Apply_Click();
    EXPECT_FALSE(window->Btn_Apply->isEnabled());
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Frame", "FrameOn"), "1");
    window->txtFRAMEBORDER->setText("0");
    p->expectMessage("保存しますか？", Prompts::vbYes);
    window->Btn_Cancel_Click();
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Frame", "Border"), "0");
}

// Every control marks a change: its edit enables Apply and Cancel asks
// before dropping it.
TEST_F(SiteSettingsWindow, EveryControlMarksAChangeSoCancelAsks) {
    ScopedPrompts p;
    const std::function<void(frmSetting&)> edits[] = {
        [](frmSetting& w) { w.txtRSS_Title->setText("新しい日記"); },
        [](frmSetting& w) { w.txtRSS_HPURL->setText("http://example.jp/"); },
        [](frmSetting& w) { w.txtRSS_RaravURL->setText("http://example.jp/d/"); },
        [](frmSetting& w) { w.txtRSS_Description->setPlainText("説明"); },
        [](frmSetting& w) { w.txtRSS_ManagingAuthor->setText("a@example.jp"); },
        [](frmSetting& w) { w.txtRSS_WebMaster->setText("w@example.jp"); },
        [](frmSetting& w) { w.txtATOM_Author->setText("花子"); },
        [](frmSetting& w) { w.txtHaloScanUserName->setText("hanako"); },
        [](frmSetting& w) { w.chkUseRSS->click(); },
        [](frmSetting& w) { w.chkUseHaloScan->click(); },
        [](frmSetting& w) { w.chkBlog_Status->click(); },
        [](frmSetting& w) { w.chkBlog_AcceptComment->click(); },
        [](frmSetting& w) { w.chkBlog_AcceptTrackBack->click(); },
        [](frmSetting& w) {
            w.chkRaravDivide->click();
            w.cmbRaravTerm->setCurrentText("1");
            w.chkUseFileName2Day->click();
        },
    };
    int i = 0;
    for (const auto& edit : edits) {
        open();
        for (int tab = 0; tab < 5; ++tab) window->PictureTab[tab]->setEnabled(true);
        edit(*window);
        EXPECT_TRUE(window->Btn_Apply->isEnabled()) << i;
        p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
        window->Btn_Cancel_Click();
        EXPECT_FALSE(siteFilesExist()) << i;
        ++i;
    }

    open();
    window->txtRSS_Title->setText("新しい日記");
    window->txtRSS_Description->setPlainText("一行目\n[Setting]\nTitle=乗っ取り");
    window->Btn_OK_Click();
    EXPECT_EQ(Profile::readString(tmp.file("RSS.ini"), "Setting", "Title"), "新しい日記");
    EXPECT_EQ(Profile::readString(tmp.file("RSS.ini"), "Setting", "Description"), "一行目 [Setting] Title=乗っ取り");
    EXPECT_EQ(Profile::sectionNames(tmp.file("RSS.ini")), QStringList({"General", "Setting", "RSS2.0", "ATOM"}));

    // A one-line box with a pasted line break is refused; nothing is written
    // and the window stays ready to save.
    const QByteArray before = tmp.read("RSS.ini");
    open();
    window->txtRSS_Title->setText("日記\r\n[ATOM]\r\nAuthor=乗っ取り");
    p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    window->Btn_OK_Click();
    EXPECT_EQ(tmp.read("RSS.ini"), before);
    EXPECT_TRUE(window->Btn_Apply->isEnabled());
}

// Naming pages by date applies only to a diary divided one day a page.
TEST_F(SiteSettingsWindow, DateNamesAreOfferedOnlyForOneDayPages) {
    tmp.writeText("Frame.ini", "[Divide]\nRaravDivide=0\nRaravTerm=1\nUseFileName2Day=1\n");
    ScopedPrompts p;
    open();
    frmSetting& w = *window;
    EXPECT_TRUE(w.chkUseFileName2Day->isChecked());
    EXPECT_FALSE(w.chkUseFileName2Day->isEnabled());
    w.chkRaravDivide->click();
    EXPECT_TRUE(w.chkUseFileName2Day->isEnabled());
    w.cmbRaravTerm->setCurrentText("2");
    EXPECT_FALSE(w.chkUseFileName2Day->isEnabled());
    w.chkRaravDivide->click();
    w.cmbRaravTerm->setCurrentText("1");
    EXPECT_FALSE(w.chkUseFileName2Day->isEnabled());
}

TEST_F(SiteSettingsWindow, TabsBlogManagerAndRegistrationLink) {
    ScopedPrompts p;
    open();
    frmSetting& w = *window;
    EXPECT_TRUE(w.PictureTab[0]->isEnabled());
    for (int i = 1; i < 5; ++i) EXPECT_FALSE(w.PictureTab[i]->isEnabled()) << i;
    w.TabStrip1->setCurrentIndex(4);
    w.TabStrip1->setCurrentIndex(2);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(w.PictureTab[i]->isEnabled(), i == 2) << i;

    // The blog accounts window takes over without a question and unsaved changes are dropped.
    w.TabStrip1->setCurrentIndex(0);
    w.chkRaravDivide->click();
    ASSERT_TRUE(w.isChanged());
    w.Btn_BlogManager_Click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(calls, QStringList{"BlogManager"});
    EXPECT_FALSE(siteFilesExist());

    open();
    window->lblURL->linkActivated(Addresses::kCommentServiceRegistration);
    EXPECT_EQ(calls.last(), Addresses::kCommentServiceRegistration);
    EXPECT_FALSE(siteFilesExist());
}

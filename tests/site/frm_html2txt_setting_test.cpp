#include "site/frm_html2txt_setting.h"

#include "core/ini_file.h"
#include "core/shared_state.h"

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class ConverterSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        Shell::state().MyPath = t.path();
        ini = t.path() + "HTML2TXT.ini";
    }
    void TearDown() override { Shell::state() = Shell::SharedState(); }

    QString read(const char* section, const char* key) const {
        return IniFile::GetIniString(ini, section, key, "missing");
    }
    Qt::CheckState tag(const frmHTML2TXTSetting& w, const QString& name) const {
        const auto items = w.ListView1->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? Qt::Unchecked : items.first()->checkState(0);
    }

    TempFolder t;
    QString ini;
};

}  // namespace

TEST_F(ConverterSettingsWindow, ShowsTheFileAndOkWritesItBackWithTheWindowsChanges) {
    t.writeText("HTML2TXT.ini",
                "[GENERAL]\nMODE=HTML\nENTER=0\nA_LINK_TAG_TYPE=2\n"
                "[HTML2HTML]\nBR=1\nLIST=5\nEM=1\nHR_Num=3\n"
                "[HTML]\nHR=1\nBR=0\nP=2\nIMG=-1\n[HR]\nNUM=7\n");
    {
        ScopedPrompts prompts;
        frmHTML2TXTSetting w;
        w.Form_Load();
        EXPECT_EQ(w.windowTitle(), "Quillby - HTML2TEXT Setting -");
        EXPECT_TRUE(w.optMODE_HTML->isChecked());
        EXPECT_FALSE(w.optMODE_TEXT->isChecked());
        EXPECT_EQ(w.ListView1->topLevelItemCount(), 13);
        EXPECT_EQ(tag(w, "BR"), Qt::Checked);
        EXPECT_EQ(tag(w, "LIST"), Qt::Checked);
        EXPECT_EQ(tag(w, "P"), Qt::Unchecked);
        EXPECT_EQ(w.txtHR_NUM->text(), "7");
        EXPECT_TRUE(w.chkHR->isChecked());
        EXPECT_FALSE(w.chkBR->isChecked());
        EXPECT_EQ(w.chkP->checkState(), Qt::PartiallyChecked);
        EXPECT_TRUE(w.chkIMG->isChecked());
        EXPECT_FALSE(w.chkENTER->isChecked());
        EXPECT_TRUE(w.opt_A_LINK_TAG_TYPE2->isChecked());

        w.opt_A_LINK_TAG_TYPE0->setChecked(true);
        w.ListView1->findItems("P", Qt::MatchExactly).first()->setCheckState(0, Qt::Checked);
        w.Btn_OK_Click();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    // A checked tag is written as -1, a checked box as 1, a greyed one as 2;
    // settings without a control keep what the file held.
    EXPECT_EQ(read("GENERAL", "MODE"), "HTML");
    EXPECT_EQ(read("GENERAL", "A_LINK_TAG_TYPE"), "0");
    EXPECT_EQ(read("GENERAL", "ENTER"), "0");
    EXPECT_EQ(read("HTML2HTML", "LIST"), "-1");
    EXPECT_EQ(read("HTML2HTML", "P"), "-1");
    EXPECT_EQ(read("HTML2HTML", "XMP"), "0");
    EXPECT_EQ(read("HTML2HTML", "EM"), "1");
    EXPECT_EQ(read("HTML2HTML", "HR_Num"), "3");
    EXPECT_EQ(read("HTML", "IMG"), "1");
    EXPECT_EQ(read("HTML", "P"), "2");
    EXPECT_EQ(read("HR", "NUM"), "7");

    ScopedPrompts prompts;
    frmHTML2TXTSetting again;
    again.Form_Load();
    EXPECT_TRUE(again.opt_A_LINK_TAG_TYPE0->isChecked());
    EXPECT_EQ(tag(again, "P"), Qt::Checked);
}

TEST_F(ConverterSettingsWindow, UnknownModeAndLinkFormOpenWithNothingChosen) {
    t.writeText("HTML2TXT.ini", "[GENERAL]\nMODE=RSS\nA_LINK_TAG_TYPE=5\n");
    ScopedPrompts prompts;
    frmHTML2TXTSetting w;
    w.Form_Load();
    for (QRadioButton* b : {w.optMODE_TEXT, w.optMODE_HTML, w.opt_A_LINK_TAG_TYPE0, w.opt_A_LINK_TAG_TYPE1,
                            w.opt_A_LINK_TAG_TYPE2})
        EXPECT_FALSE(b->isChecked()) << b->text().toStdString();
    // Cancel writes nothing.
    const QByteArray before = t.read("HTML2TXT.ini");
    w.Btn_Cancel_Click();
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(t.read("HTML2TXT.ini"), before);
}

TEST_F(ConverterSettingsWindow, UnreadableFilesAreReportedAndTheWindowStillWorks) {
    {  // missing: told, initial controls, and OK writes a complete file
        ScopedPrompts prompts;
        prompts->expectMessage("設定ファイルの読み込みに失敗しました。");
        frmHTML2TXTSetting w;
        w.Form_Load();
        EXPECT_FALSE(w.optMODE_TEXT->isChecked());
        EXPECT_TRUE(w.txtHR_NUM->text().isEmpty());
        w.optMODE_TEXT->setChecked(true);
        w.Btn_OK_Click();
    }
    EXPECT_EQ(read("GENERAL", "MODE"), "TEXT");
    EXPECT_EQ(read("HR", "NUM"), "5");
    EXPECT_EQ(read("HTML2HTML", "B"), "0");
    EXPECT_EQ(read("HTML", "AHREFSharp"), "0");

    {  // a number out of range is trapped and told
        IniFile::WriteIniString(ini, "HTML2HTML", "SPAN", "40000");
        ScopedPrompts prompts;
        prompts->expectMessage("設定ファイルの読み込みに失敗しました。");
        frmHTML2TXTSetting w;
        w.Form_Load();
        EXPECT_FALSE(w.optMODE_TEXT->isChecked());
    }
    {  // folder gone: told, and the window closes all the same
        Shell::state().MyPath = t.path() + "gone/";
        ScopedPrompts prompts;
        prompts->expectMessage("設定ファイルの読み込みに失敗しました。")
            .expectMessage("設定ファイルの保存に失敗しました。");
        frmHTML2TXTSetting w;
        w.Form_Load();
        w.Btn_OK_Click();
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_FALSE(QFile::exists(t.path() + "gone/HTML2TXT.ini"));
    }
}

TEST_F(ConverterSettingsWindow, DashCountThatCannotBeStoredIsRefusedBeforeWriting) {
    t.writeText("HTML2TXT.ini", "[HR]\nNUM=4\n");
    for (const char* typed : {"abc", "-1", "40000"}) {
        ScopedPrompts prompts;
        prompts->expectMessage("「-」の数には");
        frmHTML2TXTSetting w;
        w.Form_Load();
        w.txtHR_NUM->setText(typed);
        w.Btn_OK_Click();
        EXPECT_NE(w.result(), QDialog::Accepted) << typed;
        EXPECT_EQ(w.TabStrip1->currentIndex(), 1);
        EXPECT_EQ(read("HR", "NUM"), "4") << typed;
    }
}

TEST_F(ConverterSettingsWindow, TabsShowOnePageAndDisableTheOthers) {
    t.writeText("HTML2TXT.ini", "[GENERAL]\nMODE=TEXT\n");
    ScopedPrompts prompts;
    frmHTML2TXTSetting w;
    w.Form_Load();
    for (int tab : {1, 2, 0}) {
        w.TabStrip1->setCurrentIndex(tab);
        EXPECT_EQ(w.pages_->currentWidget(), w.Picture1[tab]);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(w.Picture1[i]->isEnabled(), i == tab) << tab << " page " << i;
    }
}

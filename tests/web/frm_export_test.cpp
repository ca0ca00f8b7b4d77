#include "web/frm_export.h"

#include "platform/clock.h"
#include "core/ini_file.h"

#include "tests/support/scripted_prompts.h"
#include "tests/web/export_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class ExportWindow : public ExportFixture {
protected:
    void SetUp() override {
        ExportFixture::SetUp();
        Clock::set(QDateTime(QDate(2007, 1, 20), QTime(10, 0)));
        addEntry("2006/12/01", 1, "dec", "<b>x</b>");
        addEntry("2006/12/24", 1, "eve", "y");
    }
    void TearDown() override {
        Clock::reset();
        ExportFixture::TearDown();
    }
};

}  // namespace

TEST_F(ExportWindow, OpensOnThePreviousMonthWithTheUserFormatsListed) {
    t.writeText("data/ExportFormat/Plain.TXT", "x");
    IniFile::WriteIniString(Shell::state().RaravIniFile, "Export", "Left", "1500");
    ScopedPrompts prompts;
    frmExport w;
    w.Form_Load();
    EXPECT_EQ(w.windowTitle(), "Export");
    EXPECT_EQ(w.pos(), QPoint(100, 0));
    // Opened in January: December of the previous year.
    EXPECT_EQ(w.txtYear->text(), "2006");
    EXPECT_EQ(w.txtMonth->currentText(), "12");
    EXPECT_EQ(w.cmbExportFormat_User->count(), 2);
    EXPECT_EQ(w.cmbExportFormat_User->currentText(), "Blog.htm");
    EXPECT_EQ(w.cmbExportFormat_User->itemText(1), "Plain.TXT");
    EXPECT_TRUE(w.optPeriod_User->isChecked() && w.optFormat_Text->isChecked() && w.optSortDir_ASC->isChecked() &&
                w.optFile_One->isChecked() && w.optFileName_Day->isChecked() && w.optContents_TEXT->isChecked());

    EXPECT_FALSE(w.Frame_FileName->isEnabled());
    w.optFile_Divide->click();
    EXPECT_TRUE(w.Frame_FileName->isEnabled() && w.optFileName_Title->isEnabled());
    w.optFile_One->click();
    EXPECT_FALSE(w.optFileName_Day->isEnabled());

    w.move(30, 40);
    w.Btn_Cancel_Click();
    EXPECT_EQ(IniFile::GetIniString(Shell::state().RaravIniFile, "Export", "Left"), "450");
    EXPECT_EQ(IniFile::GetIniString(Shell::state().RaravIniFile, "Export", "Top"), "600");
}

TEST_F(ExportWindow, MonthToOneFilePerEntryWithAUserFormat) {
    ScopedPrompts prompts;
    prompts->expectFolder(t.path() + "out", "フォルダの選択").expectMessage("完了！");
    frmExport w;
    w.Form_Load();
    w.optPeriod_Month->setChecked(true);
    w.optFormat_User->setChecked(true);
    w.optFile_Divide->click();
    w.optFileName_Title->setChecked(true);
    w.optSortDir_DESC->setChecked(true);
    w.Btn_OK_Click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(out("dec.htm"), "<p>dec</p>\r\n");
    EXPECT_EQ(out("eve.htm"), "<p>eve</p>\r\n");
}

TEST_F(ExportWindow, OneDayGoesToOneFileEvenWhenDividing) {
    ScopedPrompts prompts;
    prompts->expectSaveFile(t.path() + "out/day").expectMessage("完了！");
    frmExport w;
    w.Form_Load();
    w.optPeriod_Day->setChecked(true);
    w.DTPickerDay->setDate(QDate(2006, 12, 1));
    w.optFile_Divide->click();
    w.Btn_OK_Click();
    EXPECT_EQ(out("day.txt"), "2006/12/01 dec [日記/晴]\r\nx\r\n");
}

TEST_F(ExportWindow, RefusalsAndFailuresKeepTheWindowOpen) {
    ScopedPrompts prompts;
    frmExport w;
    w.Form_Load();

    // Cancelled target.
    prompts->expectSaveFile("").expectMessage("キャンセルしました");
    w.Btn_OK_Click();
    EXPECT_EQ(w.result(), 0);

    // Converter settings unreadable: told once, never "done".
    QFile::remove(t.file("HTML2TXT.ini"));
    prompts->expectSaveFile(t.path() + "out/a.txt").expectMessage("HTML2TXT Initializeファイル読み込みエラー");
    w.Btn_OK_Click();
    EXPECT_FALSE(QFile::exists(t.file("out/a.txt")));

    // A target that cannot be written is reported, not taken for done.
    t.writeText("HTML2TXT.ini", "[GENERAL]\nMODE=TEXT\n");
    prompts->expectSaveFile(t.path() + "gone/a.txt").expectMessage("ファイルの書き込みに失敗しました。");
    w.Btn_OK_Click();

    // No user-defined format to choose.
    w.cmbExportFormat_User->clear();
    w.optFormat_User->setChecked(true);
    prompts->expectMessage("定義ファイルが指定されていません。");
    w.Btn_OK_Click();
    EXPECT_EQ(w.result(), 0);
    EXPECT_TRUE(prompts->allAnswered());
}

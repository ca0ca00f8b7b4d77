#include "platform/profile.h"
#include "core/rarav_ini.h"
#include "tests/support/folder_snapshot.h"
#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"
#include "writing/frm_html_make_font.h"
#include "writing/frm_html_make_hr.h"
#include "writing/frm_html_make_image.h"
#include "writing/frm_html_make_list.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>

namespace {

class TagDialogs : public WritingWindowTest {
protected:
    void SetUp() override {
        WritingWindowTest::SetUp();
        Shell::state().MyPath = tmp.path() + QStringLiteral("prog/");
        tmp.writeText(QStringLiteral("prog/colorname.csv"), QStringLiteral("red,#FF0000\nblue,#0000FF\n"));
        Shell::hooks().setEnabled = [this](bool on) { enabled << on; };
        open();
        click(2006, 5, 3);
        editor->txtTitle->setText(QStringLiteral("t"));
        editor->txtContents->setPlainText(QStringLiteral("one word two"));
        selectBody(4, 8);  // "word"
        editor->InitUndoRedo();
        editor->ChangeYesNo = false;
    }
    void TearDown() override {
        for (TagDialog* d : std::initializer_list<TagDialog*>{frmHTMLMakeList::current(), frmHTMLMakeHR::current(),
                                                              frmHTMLMakeFont::current()})
            if (d) d->Unload();
        frmHTMLMakeImage::unloadIfLoaded();
        WritingWindowTest::TearDown();
    }
    void selectBody(int from, int to) {
        QTextCursor c = editor->txtContents->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        editor->txtContents->setTextCursor(c);
    }
    QString body() const { return editor->txtContents->toPlainText(); }
    QList<bool> enabled;
};

TEST_F(TagDialogs, ListReplacesTheBodySelectionWhateverTabIsShown) {
    editor->TabStrip1->setCurrentIndex(1);
    editor->TabStrip1_Click();
    editor->InsertHtmlTag(14);
    frmHTMLMakeList* d = frmHTMLMakeList::current();
    ASSERT_TRUE(d);
    EXPECT_EQ(enabled, QList<bool>{false});
    EXPECT_FALSE(d->cmbOL->isEnabled());
    d->optTypeOL->click();
    EXPECT_TRUE(d->cmbOL->isEnabled());
    EXPECT_FALSE(d->cmbUL->isEnabled());
    d->cmbOL->setCurrentIndex(2);
    d->txtOLStart->setText(QStringLiteral("x"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("ここには数値を入力してください。"));
        d->txtOLStart_LostFocus();
    }
    d->txtOLStart->setText(QStringLiteral("5"));
    d->txtListContents->setPlainText(QStringLiteral("a\nb\n"));
    d->Btn_OK->click();

    EXPECT_EQ(body(), QStringLiteral("one <OL TYPE='i' START='5'><li>a<li>b</OL> two"));
    EXPECT_FALSE(frmHTMLMakeList::current());
    EXPECT_EQ(enabled.last(), true);
    EXPECT_TRUE(editor->ChangeYesNo);
    editor->TabStrip1->setCurrentIndex(0);
    editor->TabStrip1_Click();
    editor->mnuUndo_Click();
    EXPECT_EQ(body(), QStringLiteral("one word two"));

    // Cancel inserts nothing; the next opening starts from the load state.
    frmHTMLMakeList::showDialog()->Btn_Cancel->click();
    EXPECT_EQ(body(), QStringLiteral("one word two"));
    EXPECT_EQ(enabled.last(), true);
    d = frmHTMLMakeList::showDialog();
    EXPECT_TRUE(d->optTypeUL->isChecked());
    EXPECT_EQ(d->cmbOL->currentText(), QStringLiteral("算用数字(1,2,3,...)"));
}

TEST_F(TagDialogs, RuleChecksItsWidthAndTakesColoursByNameOrDialog) {
    editor->InsertHtmlTag(13);
    frmHTMLMakeHR* d = frmHTMLMakeHR::current();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->cmbColor->count(), 2);
    EXPECT_FALSE(d->cmbAlign->isEnabled());
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("数字を入力してください。"));
        d->txtWidth->clear();
        p->expectMessage(QStringLiteral("値の範囲は、0～100%でお願いします。"));
        d->txtWidth->setText(QStringLiteral("101"));
        d->txtWidth->setText(QStringLiteral("50"));
        EXPECT_TRUE(d->cmbAlign->isEnabled());

        d->cmbColor->setEditText(QStringLiteral("Red"));
        d->Btn_Color_Exchange->click();
        EXPECT_EQ(d->cmbColor->currentText(), QStringLiteral("#FF0000"));
        d->Btn_Color_Exchange->click();
        EXPECT_EQ(d->cmbColor->currentText(), QStringLiteral("red"));
        d->cmbColor->setEditText(QStringLiteral("nosuch"));
        d->Btn_Color_Exchange->click();
        d->Btn_GetColorDialog->click();  // an unknown name opens no dialog
        EXPECT_EQ(d->cmbColor->currentText(), QStringLiteral("nosuch"));
        d->cmbColor->setEditText(QStringLiteral("blue"));
        p->expectColor(-1);
        d->Btn_GetColorDialog->click();
        EXPECT_EQ(d->cmbColor->currentText(), QStringLiteral("blue"));
        p->expectColor(0x0080FF);
        d->Btn_GetColorDialog->click();
        EXPECT_EQ(d->cmbColor->currentText(), QStringLiteral("#FF8000"));

        // A size that is no number is pointed out; the dialog stays.
        d->txtSize->setText(QStringLiteral("thick"));
        p->expectMessage(QStringLiteral("数字を入力してください。"));
        d->Btn_OK->click();
        EXPECT_EQ(frmHTMLMakeHR::current(), d);
    }
    d->txtSize->setText(QStringLiteral("3"));
    d->cmbAlign->setCurrentIndex(0);
    d->chkNoshade->setChecked(true);
    d->Btn_OK->click();
    EXPECT_EQ(body(), QStringLiteral("one <HR Size=3 Width=50% Align='Left' NOSHADE Color='#FF8000'> two"));
    EXPECT_FALSE(frmHTMLMakeHR::current());
}

TEST_F(TagDialogs, FontWrapsTheSelection) {
    editor->InsertHtmlTag(12);
    frmHTMLMakeFont* d = frmHTMLMakeFont::current();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->cmbSize->count(), 7);
    EXPECT_EQ(d->cmbSize->currentText(), QString());
    d->optRelative->click();
    EXPECT_EQ(d->cmbSize->count(), 12);
    EXPECT_EQ(d->cmbSize->currentText(), QStringLiteral("+2"));
    d->optAbsolute->click();
    EXPECT_EQ(d->cmbSize->currentText(), QStringLiteral("4"));
    d->cmbColor->setEditText(QStringLiteral("#0000ff"));
    d->Btn_Color_Exchange->click();
    d->cmbFace->setEditText(QStringLiteral("Sans"));
    d->Btn_OK->click();
    EXPECT_EQ(body(), QStringLiteral("one <FONT Size=\"4\" Color=\"blue\" Face=\"Sans\">word</FONT> two"));

    // Nothing chosen and nothing selected: an empty pair at the caret.
    selectBody(3, 3);
    frmHTMLMakeFont::showDialog()->Btn_OK->click();
    EXPECT_TRUE(body().startsWith(QStringLiteral("one<FONT></FONT> <FONT")));
}

class ImageDialog : public TagDialogs {
protected:
    QString picture(const QString& name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = tmp.file(QStringLiteral("pics/") + name);
        Files::makeFolder(tmp.file(QStringLiteral("pics/")));
        EXPECT_TRUE(image.save(path));
        return path;
    }
    frmHTMLMakeImage* openDialog() {
        editor->Btn3Click_ToolBar();
        return frmHTMLMakeImage::current();
    }
};

TEST_F(ImageDialog, AutomaticNamePreviewAndRegistration) {
    Database(Shell::state().databasePath())
        .exec(QStringLiteral("INSERT INTO FileDB (FileName, Day, Number) VALUES ('dimage20060503_07.png', "
                             "'2006/05/03', 2)"));
    const QString path = picture(QStringLiteral("wide.png"), 400, 200);
    frmHTMLMakeImage* d = openDialog();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->txt_InsertTag->toPlainText(), QStringLiteral("<IMG SRC=\"\">"));

    d->chk_AutoFileName->setChecked(true);  // no picture yet: renaming on, no name
    EXPECT_TRUE(d->chk_FileRename->isChecked());
    EXPECT_EQ(d->txt_RenamedFileName->text(), QString());
    EXPECT_FALSE(d->txt_RenamedFileName->isEnabled());

    ScopedPrompts p;
    p->expectOpenFile(path);
    d->Btn_Open->click();
    EXPECT_EQ(d->txt_RenamedFileName->text(), QStringLiteral("dimage20060503_08.png"));
    EXPECT_EQ(d->lbl_Preview->text(), QStringLiteral("プレビュー[42%]"));
    EXPECT_EQ(d->lbl_Size->text(), QStringLiteral("Size : 400 x 200"));
    const QImage shown = d->Pic_Preview->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(80, 83), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(80, 84), QColor(Qt::white));
    d->chk_TagWidth->setChecked(true);
    d->chk_TagAlt->setChecked(true);
    d->txt_TagAlt->setText(QStringLiteral("cat"));
    d->chk_TagBorder->setChecked(true);
    d->txt_TagBorder->setValue(2);
    const QString tag =
        QStringLiteral("<IMG SRC=\"./RaravParts/dimage20060503_08.png\" width=\"400\" border=\"2\" alt=\"cat\">");
    EXPECT_EQ(d->txt_InsertTag->toPlainText(), tag);
    d->Btn_OK->click();

    EXPECT_EQ(body(), QStringLiteral("one ") + tag + QStringLiteral("word two"));
    EXPECT_TRUE(editor->ChangeYesNo);
    EXPECT_TRUE(Files::exists(Shell::state().DataPath + QStringLiteral("RaravParts/dimage20060503_08.png")));
    Database db(Shell::state().databasePath());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Number FROM FileDB WHERE FileName = ? AND Day = ?"),
                        {QStringLiteral("dimage20060503_08.png"), QStringLiteral("2006/05/03")})
                  .toInt(),
              1);
    EXPECT_FALSE(frmHTMLMakeImage::current());
}

TEST_F(ImageDialog, RenamingOffAndOkWithoutRegistering) {
    RaravIni::write(Shell::state().RaravIniFile, RaravIni::AddDivText, QStringLiteral("align=\"center\""));
    const QString path = picture(QStringLiteral("tall.png"), 100, 100);
    frmHTMLMakeImage* d = openDialog();
    EXPECT_EQ(d->txt_AddDiv->text(), QStringLiteral("align=\"center\""));
    {
        ScopedPrompts p;
        p->expectOpenFile(tmp.file(QStringLiteral("pics/missing.png")));
        p->expectMessage(QStringLiteral("イメージファイルのパスが不正です。"));
        d->Btn_Open->click();
        EXPECT_EQ(d->txt_TagSRC->text(), QStringLiteral("./RaravParts/missing.png"));
        p->expectOpenFile(path);
        d->Btn_Open->click();
        EXPECT_EQ(d->lbl_Preview->text(), QStringLiteral("プレビュー[167%]"));
    }
    d->chk_FileRename->setChecked(true);
    d->txt_RenamedFileName->setText(QStringLiteral("new.png"));
    EXPECT_EQ(d->txt_TagSRC->text(), QStringLiteral("./RaravParts/new.png"));
    d->chk_FileRename->setChecked(false);
    EXPECT_EQ(d->txt_TagSRC->text(), QStringLiteral("./RaravParts/tall.png"));

    d->chk_AddDiv->setChecked(true);
    d->chk_TagOther->setChecked(true);
    d->txt_TagOther->setText(QStringLiteral("class=\"p\""));
    d->chk_Resist->setChecked(false);
    d->Btn_OK->click();
    EXPECT_EQ(body(), QStringLiteral("one <div align=\"center\"><IMG SRC=\"./RaravParts/tall.png\" class=\"p\"></div>word two"));
    EXPECT_FALSE(Files::exists(Shell::state().DataPath + QStringLiteral("RaravParts/tall.png")));
    EXPECT_EQ(RaravIni::read(Shell::state().RaravIniFile, RaravIni::TagOtherText), QStringLiteral("class=\"p\""));
}

// The entry deleted from the calendar while the dialog stands open: OK puts
// nothing into the emptied editor, marks nothing changed and registers no
// picture, so the next date click asks nothing.
TEST_F(ImageDialog, OkAfterTheEntryWasDeletedLeavesTheEmptyEditorAlone) {
    const QString path = picture(QStringLiteral("sky.png"), 10, 10);
    editor->Btn1Click_ToolBar();
    frmHTMLMakeImage* d = openDialog();
    ScopedPrompts p;
    p->expectOpenFile(path);
    d->Btn_Open->click();
    p->expectMessage(QStringLiteral("番目の日記を削除します。"), Prompts::vbYes, Prompts::vbYesNo);
    calender->Btn_Delete_Click();
    ASSERT_FALSE(editor->txtContents->isEnabled());
    d->Btn_OK->click();
    EXPECT_EQ(body(), QString());
    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_FALSE(Files::exists(Shell::state().DataPath + QStringLiteral("RaravParts/sky.png")));
    click(2006, 5, 4);  // no question to save
}

}  // namespace

namespace {

// A renamed file that would leave the parts folder, or make folders in it, is
// refused before anything happens: the tag stays out of the body, the dialog
// stays open for a better name, and every file (database included) is as it was.
TEST_F(ImageDialog, RenamesOutsideThePartsFolderAreRefusedAndChangeNothing) {
    const QString path = picture(QStringLiteral("cat.png"), 10, 10);
    Files::makeFolder(Shell::state().DataPath + QStringLiteral("RaravParts/"));
    frmHTMLMakeImage* d = openDialog();
    ASSERT_TRUE(d);
    {
        ScopedPrompts p;
        p->expectOpenFile(path);
        d->Btn_Open->click();
    }
    d->chk_Resist->setChecked(true);
    d->chk_FileRename->setChecked(true);
    const auto before = folderSnapshot(tmp.path());
    for (const char* name : {"../../rarav.mdb", "../x.png", "sub/x.png", "..", ""}) {
        SCOPED_TRACE(name);
        d->txt_RenamedFileName->setText(QString::fromUtf8(name));
        ScopedPrompts p;
        p->expectMessage(*name ? QStringLiteral("はファイル名に使えません。") : QStringLiteral("ファイル名が空です。"));
        d->Btn_OK->click();
        EXPECT_EQ(frmHTMLMakeImage::current(), d);
        EXPECT_EQ(body(), QStringLiteral("one word two"));
        EXPECT_FALSE(editor->ChangeYesNo);
        EXPECT_EQ(folderSnapshot(tmp.path()), before);
    }

    // Corrected, the same dialog registers the picture.
    d->txt_RenamedFileName->setText(QStringLiteral("x.png"));
    d->Btn_OK->click();
    EXPECT_TRUE(Files::exists(Shell::state().DataPath + QStringLiteral("RaravParts/x.png")));
    EXPECT_FALSE(frmHTMLMakeImage::current());
}

}  // namespace

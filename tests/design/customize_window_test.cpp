#include "design/design_preview.h"
#include "design/frm_customize.h"
#include "design/frm_customize_selection.h"
#include "design/frm_html_browser.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

const char* kActiveSet =
    "[General]\nHPTitle=わたしの日記\nTitleAlign=Right\nHeadTag=Meta\n[Body]\nTextColor=red\nUpText_Div_Log=Top\n"
    "[Calender]\nUse=1\nType=1\nNoBorder=1\n[Contents]\nHTMLType=1\n";

// A program folder with the colour list, a data folder with two sets and
// three text blocks, and the main window's hooks recorded.
class CustomizeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        savedState = Shell::state();
        savedHooks = Shell::hooks();
        Shell::SharedState& s = Shell::state();
        s.MyPath = tmp.file("prog/");
        s.DataPath = tmp.file("data/");
        s.RaravIniFile = tmp.file("rarav.ini");
        s.CustIniFile = tmp.file("data/Customize/Customize.ini");
        s.EnterDay = "2026/12/03";
        tmp.writeText("prog/colorname.csv", "red,#FF0000\nblue,#0000FF\n");
        tmp.writeText("data/Customize/Customize.ini", kActiveSet);
        tmp.writeText("data/Customize/B.ini", "[General]\nHPTitle=B\n");
        tmp.writeText("data/Customize/RSS.ini", "");
        for (const char* block : {"Meta", "Top", "Bottom"}) tmp.writeText(QString("data/Customize/%1.htm").arg(block), block);
        Shell::hooks() = {};
        Shell::hooks().setEnabled = [this](bool on) { enabled << on; };
        Shell::hooks().saveTmpFile = [this] { ++mainPreviews; };
        Shell::hooks().navigateBrowser = [this](const QString& a) { navigated << a; };
        Shell::hooks().setStatusText = [this](const QString& t) { status << t; };
    }
    void TearDown() override {
        delete window.data();
        Shell::state() = savedState;
        Shell::hooks() = savedHooks;
    }

    frmCustomize* open(bool realTime) {
        RaravIni::write(tmp.file("rarav.ini"), RaravIni::CustomizeRealTime, realTime ? 1 : 0);
        window = new frmCustomize;
        window->Form_Load();
        previewsAtOpen = DesignPreview::writeCount();
        return window;
    }
    template <class T>
    T* control(const char* name) {
        T* c = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void type(QLineEdit* box, const QString& text) {
        box->setText(text);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(box, &out);
    }
    QString setValue(const char* section, const char* key) {
        return Profile::readString(Shell::state().CustIniFile, section, key);
    }
    int previews() const { return DesignPreview::writeCount() - previewsAtOpen; }
    void chooseCategory(const char* caption) {
        window->cmbCategory->setCurrentIndex(window->cmbCategory->findText(QString::fromUtf8(caption)));
    }
    // Typing into a text-block box and leaving it, as a click elsewhere does.
    void typeBlock(QPlainTextEdit* box, const QString& text) {
        box->setPlainText(text);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(box, &out);
    }
    void pick(QComboBox* list, const char* name) { list->setCurrentIndex(list->findText(QString::fromUtf8(name))); }
    // Every file under the temporary folder with its bytes.
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> all;
        QDirIterator it(tmp.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) all.insert(path, f.readAll());
        }
        return all;
    }

    TempFolder tmp;
    Shell::SharedState savedState;
    Shell::MainWindowHooks savedHooks;
    QPointer<frmCustomize> window;
    QList<bool> enabled;
    int mainPreviews = 0;
    int previewsAtOpen = 0;
    QStringList navigated, status;
};

}  // namespace

TEST_F(CustomizeWindow, OpensOnTheActiveSetWithItsBackupAndListsTheSets) {
    const QByteArray original = tmp.read("data/Customize/Customize.ini");
    open(false);
    EXPECT_EQ(control<QLineEdit>("txtHPTitle")->text(), "わたしの日記");
    EXPECT_TRUE(control<QRadioButton>("OptTitleAlignRight")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("optCTypeJap")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("optHTMLTypeTable")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("OptPageMoveLink_Left")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("OptPageMoveLang_Jap")->isChecked());
    EXPECT_EQ(control<QComboBox>("cmbBodyTextColor")->currentText(), "red");
    EXPECT_EQ(control<QComboBox>("cmbBodyTextColor")->count(), 2);
    EXPECT_EQ(control<QLineEdit>("txtListMarginLeft")->text(), "0");
    // Rules follow the loaded values.
    EXPECT_FALSE(control<QComboBox>("cmbBorderColor")->isEnabled());
    EXPECT_TRUE(window->txtContentsTableBorder->isEnabled());
    EXPECT_FALSE(window->chkIncludeTitle->isEnabled());
    // Loading marked nothing.
    EXPECT_FALSE(window->isChanged());
    EXPECT_FALSE(window->Btn_Apply->isEnabled());
    EXPECT_EQ(control<QLineEdit>("txtHPTitle")->property("Tag").toString(), "");
    EXPECT_EQ(window->CurrentPageName, "optGeneral");
    EXPECT_TRUE(window->optGeneral->isVisibleTo(window));
    EXPECT_FALSE(window->optBody->isVisibleTo(window));
    QStringList sets;
    for (int i = 0; i < window->cmbSelectCustomize->count(); ++i) sets << window->cmbSelectCustomize->itemText(i);
    EXPECT_EQ(sets, QStringList({"B", "Customize"}));
    EXPECT_EQ(window->cmbSelectCustomize->currentText(), "Customize");
    EXPECT_EQ(tmp.read("prog/Customize.bak"), original);
    EXPECT_EQ(enabled, QList<bool>({false}));
    EXPECT_EQ(window->previewWindow(), nullptr);  // no preview window without the live preview
}

TEST_F(CustomizeWindow, LivePreviewWritesTheSetOnLeavingAnEditedBoxAndTheCloseBoxRestoresIt) {
    const QByteArray original = tmp.read("data/Customize/Customize.ini");
    open(true);
    ASSERT_TRUE(window->isLivePreview());
    ASSERT_NE(window->previewWindow(), nullptr);
    EXPECT_EQ(window->previewWindow()->LocationURL(), tmp.file("data/Preview/Customize.htm"));

    QLineEdit* title = control<QLineEdit>("txtHPTitle");
    title->setText("新しい題");
    EXPECT_TRUE(window->Btn_Apply->isEnabled());
    EXPECT_EQ(previews(), 0);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(title, &out);
    EXPECT_EQ(previews(), 1);
    EXPECT_EQ(setValue("General", "HPTitle"), "新しい題");
    QCoreApplication::sendEvent(title, &out);  // left again without typing
    EXPECT_EQ(previews(), 1);

    window->chkNoBorder->setChecked(false);  // immediate family: refreshed at once
    EXPECT_EQ(previews(), 2);
    EXPECT_TRUE(control<QComboBox>("cmbBorderColor")->isEnabled());

    ScopedPrompts p;  // the close box asks nothing
    window->close();
    EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), original);
    EXPECT_FALSE(Files::exists(tmp.file("prog/Customize.bak")));
    EXPECT_EQ(enabled, QList<bool>({false, true}));
}

TEST_F(CustomizeWindow, ApplyWithoutLivePreviewCommitsSoCancelAsksNothing) {
    open(false);
    type(control<QLineEdit>("txtListMarginLeft"), "abc");
    control<QRadioButton>("OptLogTypeJS")->setChecked(true);
    EXPECT_EQ(previews(), 0);
    EXPECT_TRUE(window->isChanged());
    window->Btn_Apply_Click();
    EXPECT_FALSE(window->isChanged());
    EXPECT_EQ(setValue("DayList", "MarginLeft"), "abc");
    EXPECT_EQ(setValue("General", "LogType"), "JavaScript");
    EXPECT_EQ(setValue("General", "LogAlign"), "");  // no option chosen: not written
    EXPECT_EQ(setValue("General", "HeadTag"), "Meta");
    ScopedPrompts p;
    window->Btn_Cancel_Click();
    EXPECT_EQ(setValue("DayList", "MarginLeft"), "abc");
    EXPECT_TRUE(Files::exists(tmp.file("prog/Customize.bak")));
}

TEST_F(CustomizeWindow, AValuePastedWithALineBreakIsRefusedAndTheSetKept) {
    open(false);
    const QByteArray before = tmp.read("data/Customize/Customize.ini");
    type(control<QLineEdit>("txtListMarginLeft"), "1px\r\n[General]\r\nHPTitle=x");
    ScopedPrompts p;
    p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    window->Btn_Apply_Click();
    EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), before);
    EXPECT_TRUE(window->isChanged());
}

TEST_F(CustomizeWindow, CancelAfterALiveChangeAsksAndNoRestoresTheBackup) {
    const QByteArray original = tmp.read("data/Customize/Customize.ini");
    open(true);
    control<QCheckBox>("chkWeather")->setChecked(true);
    EXPECT_EQ(setValue("General", "Weather"), "1");
    window->Btn_Apply_Click();
    EXPECT_TRUE(window->isChanged());  // only OK commits while the preview is live
    ScopedPrompts p;
    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
    window->Btn_Cancel_Click();
    EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), original);
}

TEST_F(CustomizeWindow, OkRecordsTheSetAndPositionAndShowsTheMainPreviewAgain) {
    open(false);
    window->move(30, 40);
    type(control<QLineEdit>("txtHPTitle"), "題");
    window->Btn_OK_Click();
    EXPECT_EQ(setValue("General", "HPTitle"), "題");
    const QString ini = tmp.file("rarav.ini");
    EXPECT_EQ(RaravIni::read(ini, RaravIni::CustomizeIniFileName), tmp.file("data/Customize/Customize.ini"));
    EXPECT_EQ(RaravIni::read(ini, RaravIni::CustomizeWindowPosLeft), 450);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::CustomizeWindowPosTop), 600);
    EXPECT_FALSE(Files::exists(tmp.file("prog/Customize.bak")));
    EXPECT_EQ(mainPreviews, 1);
    EXPECT_EQ(status.last(), "Webページ表示中...");
    EXPECT_EQ(navigated, QStringList({tmp.file("data/Preview/tmp.htm#2026/12/03")}));
    EXPECT_EQ(enabled, QList<bool>({false, true}));
}

TEST_F(CustomizeWindow, SwitchingTheSetAndClosingWithoutOkReturnsToTheRecordedSet) {
    RaravIni::write(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName, tmp.file("data/Customize/Customize.ini"));
    const QByteArray b = tmp.read("data/Customize/B.ini");
    open(true);
    chooseCategory("本文");
    window->cmbSelectCustomize->setCurrentIndex(window->cmbSelectCustomize->findText("B"));
    EXPECT_TRUE(window->optGeneral->isVisibleTo(window));
    EXPECT_FALSE(window->optContents->isVisibleTo(window));
    EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/B.ini"));
    EXPECT_EQ(control<QLineEdit>("txtHPTitle")->text(), "B");
    EXPECT_EQ(tmp.read("prog/Customize.bak"), b);
    window->close();
    EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/Customize.ini"));
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/B.ini"), "General", "HPTitle"), "B");
}

TEST_F(CustomizeWindow, ColourButtonsSwapNamesAndCodesAndTakeTheDialogsColour) {
    open(true);
    QComboBox* field = control<QComboBox>("cmbBodyTextColor");
    struct Case {
        const char* before;
        const char* after;
    };
    for (const Case& c : {Case{"Red", "#FF0000"}, Case{"#FF0000", "red"}, Case{"#ff0000", "red"},
                          Case{"#ABCDEF", "#ABCDEF"}, Case{"#12G4", "#12G4"}}) {
        field->setEditText(c.before);
        field->setProperty("Tag", "");
        control<QPushButton>("Btn_ColorEx_Text")->click();
        EXPECT_EQ(field->currentText(), c.after) << c.before;
        EXPECT_EQ(field->property("Tag").toString(), "") << c.before;
    }
    EXPECT_EQ(setValue("Body", "TextColor"), "red");

    ScopedPrompts p;
    field->setEditText("red");
    const int before = previews();
    p->expectColor(-1);
    control<QPushButton>("Btn_GetColor_Text")->click();
    EXPECT_EQ(field->currentText(), "red");
    EXPECT_EQ(previews(), before);
    p->expectColor(0xFF8000);  // red 0, green 128, blue 255
    control<QPushButton>("Btn_GetColor_Text")->click();
    EXPECT_EQ(field->currentText(), "#0080FF");
    EXPECT_EQ(previews(), before + 1);
    EXPECT_EQ(setValue("Body", "TextColor"), "#0080FF");
    // A text the dialog cannot start from is named, and no dialog opens.
    for (const char* text : {"#FFF", "unlisted", "#12G4AB"}) {
        field->setEditText(text);
        p->expectMessage(QString("「%1」は色ではありません。").arg(text), Prompts::vbOK, Prompts::vbExclamation);
        control<QPushButton>("Btn_GetColor_Text")->click();
        EXPECT_EQ(field->currentText(), text);
    }
    EXPECT_EQ(previews(), before + 1);
}

TEST_F(CustomizeWindow, BackgroundPictureIsAddressedInThePartsFolderAndOfferedForRegistration) {
    open(false);
    QStringList registered;
    Shell::hooks().resistFile = [&](const QString& path, const QString& day, int number) {
        registered << path + " " + day + " " + QString::number(number);
    };
    const QString picture = tmp.write("pictures/sky.png", "png");
    ScopedPrompts p;
    p->expectOpenFile(picture).expectMessage("ファイルを登録しますか？", Prompts::vbYes, Prompts::vbYesNo);
    window->Btn_LFrameOpenFolder_BGImage->click();
    EXPECT_EQ(window->txtLFrameBGImage->text(), "./RaravParts/sky.png");
    EXPECT_EQ(window->txtBGImage->text(), "");
    EXPECT_EQ(registered, QStringList({picture + " ALL 0"}));
    EXPECT_TRUE(window->isChanged());

    p->expectOpenFile(tmp.file("pictures/none.png")).expectMessage("不正なパスです。");
    window->Btn_OpenFolder_BGImage->click();
    p->expectOpenFile("");
    window->Btn_OpenFolder_BGImage->click();
    EXPECT_EQ(window->txtBGImage->text(), "");
}

TEST_F(CustomizeWindow, CategoriesShowTheirBlocksAndAPickRecordsItUnderTheCategoryKey) {
    open(false);
    chooseCategory("Head");
    EXPECT_EQ(window->CurrentPageName, "OptHead");
    EXPECT_EQ(window->cmbHeadTag->currentText(), "Meta");
    EXPECT_EQ(window->txtOtherHead->toPlainText(), "Meta");

    chooseCategory("上下追加テキスト(分割用Log)");
    EXPECT_EQ(window->CurrentPageName, "optHeadFoot");
    EXPECT_EQ(window->optHeadFoot->title(), "上下追加テキスト(分割用Log)");
    EXPECT_TRUE(window->OptUpDownUp->isChecked());
    EXPECT_EQ(window->cmbUpDownText->currentText(), "Top");
    window->cmbUpDownText->setCurrentIndex(window->cmbUpDownText->findText("Bottom"));
    EXPECT_EQ(setValue("Body", "UpText_Div_Log"), "Bottom");
    EXPECT_EQ(window->txtContents->toPlainText(), "Bottom");
    window->OptUpDownDown->setChecked(true);
    window->cmbUpDownText->setCurrentIndex(window->cmbUpDownText->findText("Top"));
    EXPECT_EQ(setValue("Body", "DownText_Div_Log"), "Top");

    // Without the live preview, leaving an edited block keeps its mark, so
    // Apply saves it, its no-break space (pasted from a page) as it stood.
    window->txtContents->setPlainText(QStringLiteral("footer\u00A0text"));
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(window->txtContents, &out);
    window->Btn_Apply_Click();
    EXPECT_EQ(tmp.read("data/Customize/Top.htm"), QByteArray("footer&#xA0;text\r\n"));
    EXPECT_EQ(window->txtContents->property("Tag").toString(), "");

    chooseCategory("左側フレーム(上下追加テキスト)");
    window->cmbUpDownText->setCurrentIndex(window->cmbUpDownText->findText("Meta"));
    EXPECT_EQ(setValue("CalenderWindow", "UpText"), "Meta");

    // An edit pending at a pick: Yes saves it into the block shown before.
    window->txtContents->setPlainText("edited");
    ScopedPrompts p;
    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbYes);
    window->cmbUpDownText->setCurrentIndex(window->cmbUpDownText->findText("Top"));
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("edited\r\n"));
    EXPECT_EQ(window->txtContents->toPlainText(), "footer&#xA0;text");
    EXPECT_EQ(setValue("CalenderWindow", "UpText"), "Top");
}

TEST_F(CustomizeWindow, TextBlocksAreCreatedAndDeletedWithTheirKeys) {
    open(false);
    chooseCategory("Head");
    window->txtOtherHead->setPlainText("<meta name=\"x\">");
    ScopedPrompts p;
    p->expectInput("新しいテキストの名前を入力してください。", "X").expectMessage("新しいテキストを作成しました。");
    window->Btn_Head_New_Click();
    EXPECT_EQ(tmp.read("data/Customize/X.htm"), QByteArray("<meta name=\"x\">\r\n"));
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("Meta"));  // the old block keeps its text
    EXPECT_EQ(setValue("General", "HeadTag"), "X");
    EXPECT_EQ(window->cmbHeadTag->currentText(), "X");
    EXPECT_EQ(status.last(), "新しいテキストを作成しました。");

    p->expectInput("新しいテキストの名前", "X")
        .expectMessage("すでにその名前のテキストはあります。", Prompts::vbNo)
        .expectMessage("中止します。");
    window->Btn_Head_New_Click();
    p->expectInput("新しいテキストの名前", "").expectMessage("名前の入力がなかったため中止します。");
    window->Btn_Head_New_Click();

    chooseCategory("上下追加テキスト(Log)");
    window->OptUpDownDown->setChecked(true);
    window->cmbUpDownText->setCurrentIndex(window->cmbUpDownText->findText("Bottom"));
    EXPECT_EQ(setValue("Body", "DownText_Log"), "Bottom");
    p->expectMessage("「Bottom」を消去します。", Prompts::vbYes, Prompts::vbYesNo);
    window->Btn_Delete_UpDwn_Click();
    EXPECT_FALSE(Files::exists(tmp.file("data/Customize/Bottom.htm")));
    EXPECT_EQ(setValue("Body", "DownText_Log"), "Meta");
    EXPECT_EQ(status.last(), "「Bottom」を消去しました。");
    EXPECT_TRUE(window->isChanged());
}

TEST_F(CustomizeWindow, NewSetsTakeTheWindowsSettingsAndDeletionFallsBackToTheFirstSet) {
    open(false);
    ScopedPrompts p;
    p->expectInput("新しいカスタマイズセットの名前", "C").expectMessage("新しいカスタマイズセットを作成しました。");
    window->Btn_New_Click();
    const QString c = tmp.file("data/Customize/C.ini");
    EXPECT_EQ(Shell::state().CustIniFile, c);
    EXPECT_EQ(Profile::readString(c, "General", "HPTitle"), "わたしの日記");
    EXPECT_FALSE(Profile::keyNames(c, "General").contains("HeadTag"));  // blocks are not carried over
    EXPECT_EQ(window->cmbSelectCustomize->currentText(), "C");

    p->expectMessage("カスタマイズセット「C」を消去します。", Prompts::vbYes, Prompts::vbYesNo);
    window->Btn_Delete_Click();
    EXPECT_FALSE(Files::exists(c));
    EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/B.ini"));
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName), tmp.file("data/Customize/B.ini"));
    EXPECT_EQ(tmp.read("prog/Customize.bak"), tmp.read("data/Customize/B.ini"));
    EXPECT_EQ(control<QLineEdit>("txtHPTitle")->text(), "B");
    EXPECT_FALSE(window->isChanged());
}

TEST_F(CustomizeWindow, ANewSetMadeUnderTheLivePreviewLeavesTheFormerSetAsItWas) {
    const QByteArray original = tmp.read("data/Customize/Customize.ini");
    open(true);
    type(control<QLineEdit>("txtHPTitle"), "新");
    ASSERT_NE(tmp.read("data/Customize/Customize.ini"), original);
    ScopedPrompts p;
    p->expectInput("新しいカスタマイズセットの名前", "C").expectMessage("新しいカスタマイズセットを作成しました。");
    window->Btn_New_Click();
    EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), original);
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/C.ini"), "General", "HPTitle"), "新");
    window->Btn_OK_Click();
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName), tmp.file("data/Customize/C.ini"));
}

TEST_F(CustomizeWindow, SelectionDialogRecordsTheChosenSet) {
    frmCustomizeSelection dialog;
    dialog.Form_Load();
    EXPECT_EQ(dialog.cmbSelectCustomize->currentText(), "Customize");
    EXPECT_EQ(dialog.cmbSelectCustomize->count(), 2);
    dialog.cmbSelectCustomize->setCurrentIndex(dialog.cmbSelectCustomize->findText("B"));
    dialog.move(15, 30);
    dialog.Btn_OK_Click();
    EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/B.ini"));
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName), tmp.file("data/Customize/B.ini"));
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CstSlctWindowPosLeft), 225);
    EXPECT_EQ(mainPreviews, 1);
}

// Without the live preview a typed block waits for Apply: switching the
// category writes nothing, the block shows its edit again when its category
// comes back, and Apply saves it under the block and key it was typed for.
TEST_F(CustomizeWindow, ABlockIsSavedOnlyUnderTheCategoryItWasTypedFor) {
    struct Case {
        const char* typedIn;
        const char* then;
        bool head;
        const char* section;
        const char* keptKey;
        const char* block;
        const char* untouchedKey;
    };
    for (const Case& c : {Case{"Head", "Head(分割用)", true, "General", "HeadTag", "Meta", "HeadTag_Div"},
                          Case{"上下追加テキスト(分割用Log)", "上下追加テキスト(Log)", false, "Body", "UpText_Div_Log",
                               "Top", "UpText_Log"}}) {
        open(false);
        QPlainTextEdit* box = c.head ? window->txtOtherHead : window->txtContents;
        chooseCategory(c.typedIn);
        typeBlock(box, "typed");
        chooseCategory(c.then);
        chooseCategory("全般");
        EXPECT_EQ(tmp.read(QString("data/Customize/%1.htm").arg(c.block)), QByteArray(c.block)) << c.typedIn;
        EXPECT_TRUE(window->Btn_Apply->isEnabled()) << c.typedIn;
        // The category shown names no block of its own, so the list keeps the
        // edited one, and the box its edit.
        chooseCategory(c.then);
        EXPECT_EQ(box->toPlainText(), "typed") << c.typedIn;
        EXPECT_EQ(box->property("Tag").toString(), "Yes") << c.typedIn;
        window->Btn_Apply->click();
        EXPECT_EQ(tmp.read(QString("data/Customize/%1.htm").arg(c.block)), QByteArray("typed\r\n")) << c.typedIn;
        EXPECT_EQ(setValue(c.section, c.keptKey), c.block) << c.typedIn;
        EXPECT_EQ(setValue(c.section, c.untouchedKey), "") << c.typedIn;
        EXPECT_FALSE(window->isChanged()) << c.typedIn;
        delete window.data();
        tmp.writeText(QString("data/Customize/%1.htm").arg(c.block), c.block);
        tmp.writeText("data/Customize/Customize.ini", kActiveSet);
    }
}

// A block typed into and then declined, by a No at a set switch or at Cancel
// or by deleting the set it was typed in, leaves every block file and every
// set as it was; the set shown next names no block of the other set's.
TEST_F(CustomizeWindow, ADeclinedBlockEditLeavesEveryBlockAndSetAsItWas) {
    enum Way { SwitchSetNo, CategoryThenCancelNo, DeleteSet };
    struct Case {
        Way way;
        const char* typedIn;
    };
    const QString deleted = tmp.file("data/Customize/Customize.ini");
    for (const Case& c : {Case{SwitchSetNo, "Head"}, Case{SwitchSetNo, "上下追加テキスト(分割用Log)"},
                          Case{CategoryThenCancelNo, "Head"}, Case{CategoryThenCancelNo, "上下追加テキスト(分割用Log)"},
                          Case{DeleteSet, "Head"}, Case{DeleteSet, "上下追加テキスト(分割用Log)"}}) {
        Shell::state().CustIniFile = deleted;
        QMap<QString, QByteArray> before = files();
        open(false);
        const bool head = QString::fromUtf8(c.typedIn) == "Head";
        chooseCategory(c.typedIn);
        typeBlock(head ? window->txtOtherHead : window->txtContents, "discarded");
        ScopedPrompts p;
        switch (c.way) {
        case SwitchSetNo:
            p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
            pick(window->cmbSelectCustomize, "B");
            chooseCategory(c.typedIn);  // shows the block that B names, and saves nothing either
            break;
        case CategoryThenCancelNo:
            chooseCategory("Head(分割用)");
            chooseCategory("上下追加テキスト(Log)");
            p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
            window->Btn_Cancel->click();
            break;
        case DeleteSet:
            p->expectMessage("カスタマイズセット「Customize」を消去します。", Prompts::vbYes, Prompts::vbYesNo);
            window->Btn_Delete->click();
            before.remove(deleted);
            break;
        }
        QMap<QString, QByteArray> after = files();
        for (const QString& path : before.keys()) {
            if (path.contains("/data/Customize/")) {
                EXPECT_EQ(after.value(path), before.value(path)) << c.way << " " << c.typedIn << " " << path.toStdString();
            }
        }
        if (c.way != CategoryThenCancelNo) {
            EXPECT_EQ(window->txtOtherHead->property("Tag").toString(), "") << c.way;
            EXPECT_EQ(window->txtContents->property("Tag").toString(), "") << c.way;
            window->Btn_OK->click();  // B, recorded, names no block it did not name
            for (const char* section : {"General", "Body"})
                for (const QString& key : Profile::keyNames(tmp.file("data/Customize/B.ini"), section))
                    EXPECT_FALSE(key.startsWith("UpText") || key.startsWith("DownText") || key.startsWith("HeadTag"))
                        << c.way << " " << key.toStdString();
        }
        delete window.data();
        tmp.writeText("data/Customize/Customize.ini", kActiveSet);
        tmp.writeText("data/Customize/B.ini", "[General]\nHPTitle=B\n");
    }
}

// A Yes at the set switch keeps the edit in the set it was typed in.
TEST_F(CustomizeWindow, AnAcceptedBlockEditAtASetSwitchStaysWithTheFormerSet) {
    open(false);
    chooseCategory("Head");
    typeBlock(window->txtOtherHead, "kept");
    ScopedPrompts p;
    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbYes, Prompts::vbYesNo);
    pick(window->cmbSelectCustomize, "B");
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), QByteArray("kept\r\n"));
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/Customize.ini"), "General", "HeadTag"), "Meta");
    EXPECT_FALSE(Profile::keyNames(tmp.file("data/Customize/B.ini"), "General").contains("HeadTag"));
}

TEST_F(CustomizeWindow, ANewBlockUnderTheLivePreviewLeavesTheShownBlockAsItWas) {
    open(true);
    chooseCategory("Head");
    const QByteArray meta = tmp.read("data/Customize/Meta.htm");
    // Leaving the box for the 新規 button lets the preview store the text first.
    typeBlock(window->txtOtherHead, "<meta name=\"new\">");
    ScopedPrompts p;
    p->expectInput("新しいテキストの名前", "X").expectMessage("新しいテキストを作成しました。");
    window->Btn_Head_New->click();
    EXPECT_EQ(tmp.read("data/Customize/Meta.htm"), meta);
    EXPECT_EQ(tmp.read("data/Customize/X.htm"), QByteArray("<meta name=\"new\">\r\n"));
    EXPECT_EQ(setValue("General", "HeadTag"), "X");

    // Onto an existing block, after an Apply: the applied text of the shown
    // block stays, the block named takes the new text.
    chooseCategory("上下追加テキスト(分割用Log)");
    typeBlock(window->txtContents, "applied");
    window->Btn_Apply_Click();  // the refresh on leaving the box has already disabled the button
    typeBlock(window->txtContents, "for Bottom");
    p->expectInput("新しいテキストの名前", "Bottom")
        .expectMessage("すでにその名前のテキストはあります。", Prompts::vbYes)
        .expectMessage("既存のテキストに上書きしました。");
    window->Btn_New_UpDwn->click();
    EXPECT_EQ(tmp.read("data/Customize/Top.htm"), QByteArray("applied\r\n"));
    EXPECT_EQ(tmp.read("data/Customize/Bottom.htm"), QByteArray("for Bottom\r\n"));
}

TEST_F(CustomizeWindow, ClosingWithoutOkLeavesEverySetAsItWasAfterANewSetOntoAnExistingName) {
    const QByteArray active = tmp.read("data/Customize/Customize.ini");
    const QByteArray b = tmp.read("data/Customize/B.ini");
    open(true);
    type(control<QLineEdit>("txtHPTitle"), "新");
    ASSERT_NE(tmp.read("data/Customize/Customize.ini"), active);
    ScopedPrompts p;
    p->expectInput("新しいカスタマイズセットの名前", "B")
        .expectMessage("すでにその名前のカスタマイズセットはあります。", Prompts::vbYes)
        .expectMessage("既存のカスタマイズセットに上書きしました。");
    window->Btn_New->click();
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/B.ini"), "General", "HPTitle"), "新");
    type(control<QLineEdit>("txtHPTitle"), "もっと新しい");
    window->close();  // the close box
    EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), active);
    EXPECT_EQ(tmp.read("data/Customize/B.ini"), b);
    EXPECT_FALSE(Files::exists(tmp.file("prog/Customize.bak")));
}

// Answering No to the pending edit drops it: the next Apply writes no block,
// and a block shown and saved unchanged keeps its bytes.
TEST_F(CustomizeWindow, PickingAnotherBlockAndAnsweringNoDropsTheEdit) {
    tmp.write("data/Customize/Bottom.htm", "bottom\r\n\r\n");
    const QMap<QString, QByteArray> before = files();
    open(false);
    chooseCategory("上下追加テキスト(分割用Log)");
    typeBlock(window->txtContents, "dropped");
    ScopedPrompts p;
    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
    pick(window->cmbUpDownText, "Bottom");
    EXPECT_EQ(window->txtContents->property("Tag").toString(), "");
    EXPECT_EQ(window->txtContents->toPlainText(), "bottom\n");
    window->Btn_Apply->click();
    EXPECT_EQ(tmp.read("data/Customize/Bottom.htm"), before.value(tmp.file("data/Customize/Bottom.htm")));
    EXPECT_EQ(tmp.read("data/Customize/Top.htm"), QByteArray("Top"));

    // Shown and saved again without a change, however often: the same bytes.
    for (const char* block : {"Bottom", "Top", "Bottom"}) {
        pick(window->cmbUpDownText, block);
        typeBlock(window->txtContents, window->txtContents->toPlainText());
        ASSERT_EQ(window->txtContents->property("Tag").toString(), "Yes");
        window->Btn_Apply->click();
    }
    EXPECT_EQ(tmp.read("data/Customize/Bottom.htm"), QByteArray("bottom\r\n\r\n"));
    EXPECT_EQ(tmp.read("data/Customize/Top.htm"), QByteArray("Top"));
}

// Names that would leave the set folder, or that name no file of their own,
// are refused before anything is written or announced.
TEST_F(CustomizeWindow, HostileBlockAndSetNamesAreRefusedAndChangeNoFile) {
    RaravIni::write(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName, tmp.file("data/Customize/Customize.ini"));
    struct Case {
        const char* name;
        const char* message;
    };
    const Case blockNames[] = {{"../../escaped", "「/」や「\\」を含まない名前"}, {"a\\b", "「/」や「\\」を含まない名前"},
                               {"..", "はファイル名に使えません。"}, {"tab\tname", "制御文字"}};
    const Case setNames[] = {{"x/y", "「/」や「\\」を含まない名前"}, {"../../escaped", "「/」や「\\」を含まない名前"},
                             {".", "はファイル名に使えません。"}, {"RSS", "カスタマイズセットの名前に使えません"}};
    for (bool live : {false, true}) {
        open(live);
        chooseCategory("Head");
        window->txtOtherHead->setPlainText("<meta>");
        const QMap<QString, QByteArray> before = files();
        ScopedPrompts p;
        for (const Case& c : blockNames) {
            p->expectInput("新しいテキストの名前", c.name).expectMessage(c.message, Prompts::vbOK, Prompts::vbExclamation);
            window->Btn_Head_New->click();
        }
        chooseCategory("上下追加テキスト");
        for (const Case& c : blockNames) {
            p->expectInput("新しいテキストの名前", c.name).expectMessage(c.message, Prompts::vbOK, Prompts::vbExclamation);
            window->Btn_New_UpDwn->click();
        }
        for (const Case& c : setNames) {
            p->expectInput("新しいカスタマイズセットの名前", c.name)
                .expectMessage(c.message, Prompts::vbOK, Prompts::vbExclamation);
            window->Btn_New->click();
            EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/Customize.ini")) << c.name;
        }
        EXPECT_EQ(files(), before) << live;
        EXPECT_FALSE(status.contains("新しいテキストを作成しました。"));
        EXPECT_FALSE(status.contains("新しいカスタマイズセットを作成しました。"));
        EXPECT_EQ(status.last(), "中止しました。");
        window->Btn_OK->click();
        EXPECT_TRUE(Files::exists(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName)));
        EXPECT_FALSE(Files::exists(tmp.file("escaped.htm")));
        EXPECT_FALSE(Files::exists(tmp.file("escaped.ini")));
        delete window.data();
    }
}

// A set whose extension is written in capitals is opened, applied and
// deleted through its own file.
TEST_F(CustomizeWindow, ASetIsTheFileBehindItsNameWhateverTheLetterCase) {
    tmp.writeText("data/Customize/Look.INI", "[General]\nHPTitle=Look\n");
    open(false);
    ASSERT_GE(window->cmbSelectCustomize->findText("Look"), 0);
    pick(window->cmbSelectCustomize, "Look");
    EXPECT_EQ(control<QLineEdit>("txtHPTitle")->text(), "Look");
    type(control<QLineEdit>("txtHPTitle"), "見た目");
    window->Btn_Apply->click();
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/Look.INI"), "General", "HPTitle"), "見た目");
    EXPECT_FALSE(Files::exists(tmp.file("data/Customize/Look.ini")));
    ScopedPrompts p;
    p->expectMessage("カスタマイズセット「Look」を消去します。", Prompts::vbYes, Prompts::vbYesNo);
    window->Btn_Delete->click();
    EXPECT_EQ(window->cmbSelectCustomize->findText("Look"), -1);
    EXPECT_FALSE(Files::exists(tmp.file("data/Customize/Look.INI")));
}

// A set that could not be written leaves the window changed: Apply stays
// usable, OK keeps the window open, and Cancel still asks.
TEST_F(CustomizeWindow, AFailedApplyLeavesTheWindowChanged) {
    open(false);
    type(control<QLineEdit>("txtHPTitle"), "題");
    const QString set = tmp.file("data/Customize/Customize.ini");
    QFile::remove(set);
    QDir().mkpath(set);  // a folder where the set's file is to be written
    ScopedPrompts p;
    p->expectMessage("カスタマイズセットを保存できませんでした。", Prompts::vbOK, Prompts::vbExclamation);
    window->Btn_Apply->click();
    EXPECT_TRUE(window->isChanged());
    EXPECT_TRUE(window->Btn_Apply->isEnabled());
    EXPECT_FALSE(window->isCommitted());
    p->expectMessage("カスタマイズセットを保存できませんでした。", Prompts::vbOK, Prompts::vbExclamation);
    window->Btn_OK->click();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(Files::exists(tmp.file("prog/Customize.bak")));
    QDir().rmdir(set);
    tmp.writeText("data/Customize/Customize.ini", kActiveSet);
    p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
    window->Btn_Cancel->click();
    EXPECT_EQ(Profile::readString(set, "General", "HPTitle"), "わたしの日記");
}

// Deleting the only set makes it again from the window's values, and the
// list shows it.
TEST_F(CustomizeWindow, DeletingTheOnlySetListsTheSetMadeInItsPlace) {
    QFile::remove(tmp.file("data/Customize/B.ini"));
    open(false);
    ScopedPrompts p;
    p->expectMessage("カスタマイズセット「Customize」を消去します。", Prompts::vbYes, Prompts::vbYesNo);
    window->Btn_Delete->click();
    EXPECT_EQ(window->cmbSelectCustomize->count(), 1);
    EXPECT_EQ(window->cmbSelectCustomize->currentText(), "Customize");
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/Customize.ini"), "General", "HPTitle"), "わたしの日記");
}

// Under the live preview a No at a set switch undoes what was typed since
// the set shown was stored: a set just made or overwritten by 新規 keeps what
// it was made with, and never becomes a copy of the set the window opened on.
TEST_F(CustomizeWindow, ANoAfterANewSetLeavesTheNewSetAsItWasMade) {
    tmp.writeText("data/Customize/D.ini", "[General]\nHPTitle=D\n");
    for (const char* name : {"C", "B"}) {  // "C" is new, "B" is overwritten
        open(true);
        type(control<QLineEdit>("txtHPTitle"), "作った題");
        ScopedPrompts p;
        p->expectInput("新しいカスタマイズセットの名前", name);
        if (QString::fromLatin1(name) == "C") {
            p->expectMessage("新しいカスタマイズセットを作成しました。");
        } else {
            p->expectMessage("すでにその名前のカスタマイズセットはあります。", Prompts::vbYes)
                .expectMessage("既存のカスタマイズセットに上書きしました。");
        }
        window->Btn_New->click();
        const QString file = QString("data/Customize/%1.ini").arg(name);
        const QByteArray asMade = tmp.read(file);
        ASSERT_EQ(Profile::readString(tmp.file(file), "General", "HPTitle"), "作った題") << name;
        type(control<QLineEdit>("txtHPTitle"), "やめた題");
        p->expectMessage("変更されていますが、保存しますか？", Prompts::vbNo, Prompts::vbYesNo);
        pick(window->cmbSelectCustomize, "D");
        EXPECT_EQ(tmp.read(file), asMade) << name;
        window->Btn_OK->click();
        EXPECT_EQ(tmp.read(file), asMade) << name;
        EXPECT_EQ(Profile::readString(tmp.file("data/Customize/D.ini"), "General", "HPTitle"), "D") << name;
        delete window.data();
        tmp.writeText("data/Customize/Customize.ini", kActiveSet);
        Shell::state().CustIniFile = tmp.file("data/Customize/Customize.ini");
    }
}

// Without the live preview an Apply commits the set: a block picked after
// it, which records its name at once, is undone by closing without OK, and
// what was applied stays.
TEST_F(CustomizeWindow, APickAfterAnApplyIsUndoneOnCloseAndTheApplyStays) {
    struct Case {
        const char* category;
        bool head;
        const char* section;
        const char* key;
        const char* picked;
    };
    for (const Case& c : {Case{"Head", true, "General", "HeadTag", "Top"},
                          Case{"上下追加テキスト(分割用Log)", false, "Body", "UpText_Div_Log", "Bottom"}}) {
        for (bool cancel : {true, false}) {
            open(false);
            type(control<QLineEdit>("txtHPTitle"), "適用した題");
            window->Btn_Apply->click();
            const QByteArray applied = tmp.read("data/Customize/Customize.ini");
            chooseCategory(c.category);
            pick(c.head ? window->cmbHeadTag : window->cmbUpDownText, c.picked);
            ASSERT_EQ(setValue(c.section, c.key), c.picked) << c.category;
            ScopedPrompts p;
            cancel ? window->Btn_Cancel->click() : (void)window->close();
            EXPECT_EQ(tmp.read("data/Customize/Customize.ini"), applied) << c.category << cancel;
            delete window.data();
            tmp.writeText("data/Customize/Customize.ini", kActiveSet);
        }
    }
}

TEST(DesignPreviewWindow, EventAddressesAreCancelledAndCloseClosesIt) {
    struct Case {
        const char* address;
        DesignPreview::Navigation expected;
    };
    for (const Case& c : {Case{"file:///data/Customize.htm", DesignPreview::Navigation::Allow},
                          Case{"Event:Close", DesignPreview::Navigation::CancelAndClose},
                          Case{"EVENT:close", DesignPreview::Navigation::CancelAndClose},
                          Case{"event:closed", DesignPreview::Navigation::Cancel},
                          Case{"event:", DesignPreview::Navigation::Cancel}})
        EXPECT_EQ(DesignPreview::beforeNavigate(c.address), c.expected) << c.address;

    TempFolder tmp;
    const Shell::SharedState saved = Shell::state();
    Shell::state().RaravIniFile = tmp.writeText("rarav.ini", "[miniBrowser]\nWidth=-5\n");
    QPointer<frmHTMLBrowser> browser = new frmHTMLBrowser;
    browser->Form_Load(QRect(10, 20, 200, 300));
    EXPECT_EQ(browser->width(), 600);
    EXPECT_EQ(browser->height(), 300);
    EXPECT_EQ(browser->pos(), QPoint(210, 20));
    EXPECT_FALSE(browser->WebBrowser_BeforeNavigate("Event:Close"));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(browser.isNull());
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::MiniBrowserWidth), 9000);
    Shell::state() = saved;
}

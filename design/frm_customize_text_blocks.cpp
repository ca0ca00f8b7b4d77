// frmCustomize: the category pages and the text blocks (HEAD, header and
// footer) that the categories name in the active set.
#include "design/frm_customize.h"

#include "design/design_sets.h"
#include "platform/field_text.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/ini_file.h"
#include "core/shared_state.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

QString tagOf(const QObject* control) { return control->property("Tag").toString(); }
void setTag(QObject* control, const QString& value) { control->setProperty("Tag", value); }

struct Category {
    const char* caption;
    const char* page;
    enum Kind { Plain, HeadText, UpDown } kind;
    int leftFrame;  // -1: unchanged
    int log;        // -1: unchanged
};

const Category kCategoryPages[] = {
    {"全般", "optGeneral", Category::Plain, -1, -1},
    {"Head", "OptHead", Category::HeadText, 0, -1},
    {"Head(分割用)", "OptHead", Category::HeadText, 0, -1},
    {"Body", "optBody", Category::Plain, -1, -1},
    {"上下追加テキスト", "optHeadFoot", Category::UpDown, 0, 0},
    {"上下追加テキスト(分割用)", "optHeadFoot", Category::UpDown, 0, 0},
    {"上下追加テキスト(Log)", "optHeadFoot", Category::UpDown, 0, 1},
    {"上下追加テキスト(分割用Log)", "optHeadFoot", Category::UpDown, 0, 1},
    {"Calender", "optCalender", Category::Plain, -1, -1},
    {"本文", "optContents", Category::Plain, -1, -1},
    {"ページ間移動リンク", "optPageMoveLink", Category::Plain, -1, -1},
    {"左側フレーム", "optCalenderFrame", Category::Plain, -1, -1},
    {"左側フレーム(Head)", "OptHead", Category::HeadText, 1, -1},
    {"左側フレーム(上下追加テキスト)", "optHeadFoot", Category::UpDown, 1, 0},
};

QString dataPath() { return Shell::state().DataPath; }
QString setFile() { return Shell::state().CustIniFile; }

void selectName(QComboBox* list, const QString& name) {
    const int i = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0) list->setCurrentIndex(i);
}

void fill(QComboBox* list) {
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(TextBlocks::names(dataPath()));
    list->setCurrentIndex(-1);
}

void tellUnsaved(const QString& name) {
    Prompts::MsgBox(QStringLiteral("「") + name + QStringLiteral("」を保存できませんでした。"), Prompts::vbExclamation);
}

bool saveBlock(const QString& name, const QPlainTextEdit* box) {
    if (TextBlocks::save(dataPath(), name, FieldText::of(box))) return true;
    tellUnsaved(name);
    return false;
}

}  // namespace

void frmCustomize::cmbCategory_Click() {
    const QString caption = categoryCaption();
    const Category* found = nullptr;
    for (const Category& c : kCategoryPages)
        if (caption == QString::fromUtf8(c.caption)) found = &c;
    if (!found) return;
    if (QWidget* shown = findChild<QWidget*>(CurrentPageName)) shown->hide();
    CurrentPageName = QString::fromLatin1(found->page);
    findChild<QWidget*>(CurrentPageName)->show();
    if (found->leftFrame >= 0) IsLeftFrameCategory = found->leftFrame == 1;
    if (found->log >= 0) IsLogCategory = found->log == 1;
    if (found->kind == Category::UpDown) {
        optHeadFoot->setTitle(caption);
        OptUpDownUp_Click();
        OptUpDownUp->setChecked(true);  // runs the header choice again when the footer was shown
    } else if (found->kind == Category::HeadText) {
        ShowHeadText();
    }
}

void frmCustomize::ListUpDownTexts() { fill(cmbUpDownText); }
void frmCustomize::ListHeadTexts() { fill(cmbHeadTag); }

QString frmCustomize::upDownPosition() const { return tagOf(OptUpDownState); }

// ---- The blocks the boxes show ----

TextBlockEdits::Box frmCustomize::boxOf(const QPlainTextEdit* box) const {
    return box == txtOtherHead ? TextBlockEdits::Head : TextBlockEdits::UpDown;
}

// The box shows the block's pending edit when it has one, so that an edit
// typed under another category is seen, and kept, wherever its block shows.
void frmCustomize::showBlock(QPlainTextEdit* box, const QString& name, const TextBlocks::Key& key) {
    box->setPlainText(blocks_.show(boxOf(box), name, key));
    showMark(box);
}

void frmCustomize::showMark(QPlainTextEdit* box) {
    setTag(box, blocks_.isEdited(boxOf(box)) ? QStringLiteral("Yes") : QString());
}

void frmCustomize::writeBlockKey(const TextBlocks::Key& key, const QString& name) {
    if (key.isValid()) IniFile::WriteIniString(setFile(), key.section, key.key, name);
}

void frmCustomize::showMarks() {
    showMark(txtContents);
    showMark(txtOtherHead);
}

void frmCustomize::dropBlockEdits() {
    blocks_.dropAll();
    showMarks();
}

// Every pending edit goes into the block it was typed for, under the keys it
// was typed under, whatever category or list entry is shown by now.
bool frmCustomize::saveTextBlocks() {
    const QStringList failed = blocks_.save(setFile());
    showMarks();
    for (const QString& name : failed) tellUnsaved(name);
    return failed.isEmpty();
}

// ---- Showing ----

// Showing another block writes nothing, and leaves the changed flag and Apply
// as they were: the edit waits for Apply, and Cancel must still ask.
void frmCustomize::ShowHeadText() {
    const bool wasLoading = loading_;
    loading_ = true;
    const TextBlocks::Key key = TextBlocks::headKey(categoryCaption(), IsLeftFrameCategory);
    selectName(cmbHeadTag, key.isValid() ? IniFile::GetIniString(setFile(), key.section, key.key) : QString());
    showBlock(txtOtherHead, cmbHeadTag->currentText(), key);
    loading_ = wasLoading;
}

void frmCustomize::OptUpDownUp_Click() { showUpDown(QStringLiteral("Head")); }
void frmCustomize::OptUpDownDown_Click() { showUpDown(QStringLiteral("Foot")); }

void frmCustomize::showUpDown(const QString& position) {
    const bool wasLoading = loading_;
    loading_ = true;
    const TextBlocks::Key key = TextBlocks::upDownKey(categoryCaption(), IsLogCategory, IsLeftFrameCategory, position);
    if (key.isValid()) selectName(cmbUpDownText, IniFile::GetIniString(setFile(), key.section, key.key));
    showBlock(txtContents, cmbUpDownText->currentText(), key);
    setTag(OptUpDownState, position);
    loading_ = wasLoading;
}

// ---- Choosing another block ----

void frmCustomize::cmbUpDownText_Click() { chooseBlock(cmbUpDownText, txtContents, false); }
void frmCustomize::cmbHeadTag_Click() { chooseBlock(cmbHeadTag, txtOtherHead, true); }

void frmCustomize::chooseBlock(QComboBox* list, QPlainTextEdit* box, bool head) {
    if (loading_ || list->currentIndex() < 0) return;
    const QString chosen = list->currentText();
    if (blocks_.isEdited(boxOf(box))) {
        if (Prompts::MsgBox(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbYesNo) == Prompts::vbYes) {
            // The edit belongs to the block shown before the pick; Apply saves it there.
            Btn_Apply_Click();
        } else {
            blocks_.drop(boxOf(box));
            if (livePreview_) Files::copyFile(backupPath(), setFile());
        }
    }
    loading_ = true;
    // Edits typed for other blocks still wait for Apply.
    changed_ = blocks_.hasEdits();
    committed_ = false;
    const TextBlocks::Key key =
        head ? TextBlocks::headKey(categoryCaption(), IsLeftFrameCategory)
             : TextBlocks::upDownKey(categoryCaption(), IsLogCategory, IsLeftFrameCategory, upDownPosition());
    showBlock(box, chosen, key);
    writeBlockKey(key, chosen);
    loading_ = false;
    RefreshPreview();
}

// ---- New and deleted blocks ----

void frmCustomize::Btn_Head_New_Click() { newBlock(txtOtherHead, cmbHeadTag, true, QStringLiteral("Header")); }
void frmCustomize::Btn_New_UpDwn_Click() {
    newBlock(txtContents, cmbUpDownText, false, QStringLiteral("上下追加テキスト"));
}

void frmCustomize::newBlock(QPlainTextEdit* box, QComboBox* list, bool head, const QString& defaultName) {
    const QString name = Prompts::InputBox(
        QStringLiteral("新しいテキストの名前を入力してください。\n(ファイル名に使用できない文字は使用しないでください。)"),
        Prompts::kDefaultTitle, defaultName);
    if (name.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("名前の入力がなかったため中止します。"), Prompts::vbInformation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
        return;
    }
    if (const QString refusal = TextBlocks::nameRefusal(dataPath(), name); !refusal.isEmpty()) {
        Prompts::MsgBox(refusal, Prompts::vbExclamation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
        return;
    }
    const bool exists = Files::exists(TextBlocks::path(dataPath(), name));
    if (exists && Prompts::MsgBox(QStringLiteral("すでにその名前のテキストはあります。\n上書きしますか？"),
                                  Prompts::vbYesNo) != Prompts::vbYes) {
        Prompts::MsgBox(QStringLiteral("中止します。"), Prompts::vbInformation);
        Shell::setStatusText(QStringLiteral("中止しました。"));
        return;
    }
    if (!blocks_.restoreShown(boxOf(box)))
        Prompts::MsgBox(QStringLiteral("「") + blocks_.shownName(boxOf(box)) + QStringLiteral("」を元に戻せませんでした。"),
                        Prompts::vbExclamation);
    if (!saveBlock(name, box)) return;
    // The box's text went to the new block: nothing of it is left to save into
    // the shown one, and an older edit of the named block is overwritten.
    blocks_.drop(boxOf(box));
    blocks_.forget(name);
    showMark(box);
    Btn_Apply_Click();
    if (!exists) (head ? ListHeadTexts() : ListUpDownTexts());
    selectName(list, name);
    if (!exists) {
        Prompts::MsgBox(QStringLiteral("新しいテキストを作成しました。"), Prompts::vbInformation);
        Shell::setStatusText(QStringLiteral("新しいテキストを作成しました。"));
    } else {
        Shell::setStatusText(QStringLiteral("既存のテキストに上書きしました。"));
        Prompts::MsgBox(QStringLiteral("既存のテキストに上書きしました。"), Prompts::vbInformation);
    }
}

void frmCustomize::Btn_Head_Delete_Click() { deleteBlock(cmbHeadTag, txtOtherHead, true); }
void frmCustomize::Btn_Delete_UpDwn_Click() { deleteBlock(cmbUpDownText, txtContents, false); }

void frmCustomize::deleteBlock(QComboBox* list, QPlainTextEdit* box, bool head) {
    const QString name = list->currentText();
    if (Prompts::MsgBox(QStringLiteral("「") + name + QStringLiteral("」を消去します。\nよろしいですか？"),
                        Prompts::vbYesNo) != Prompts::vbYes) {
        Shell::setStatusText(QStringLiteral("消去を中止しました。"));
        return;
    }
    const QString path = TextBlocks::path(dataPath(), name);
    if (Files::exists(path)) Files::removeFile(path);
    blocks_.forget(name);
    Shell::setStatusText(QStringLiteral("「") + name + QStringLiteral("」を消去しました。"));
    loading_ = true;
    head ? ListHeadTexts() : ListUpDownTexts();
    list->setCurrentIndex(list->count() ? 0 : -1);
    // With no block left the key names none.
    const QString next = list->currentText();
    const TextBlocks::Key key =
        head ? TextBlocks::headKey(categoryCaption(), IsLeftFrameCategory)
             : TextBlocks::deletionKey(categoryCaption(), IsLogCategory, IsLeftFrameCategory, upDownPosition());
    showBlock(box, next, key);
    writeBlockKey(key, next);
    loading_ = false;
    MarkChanged();
    RefreshPreview();
}

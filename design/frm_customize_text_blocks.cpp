// frmCustomize: the category pages and the text blocks (HEAD, header and
// footer) that the categories name in the active set.
#include "design/frm_customize.h"

#include "design/design_sets.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/ini_file.h"
#include "core/shared_state.h"

#include <QComboBox>
#include <QFile>
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

bool saveBlock(const QString& name, const QPlainTextEdit* box) {
    if (TextBlocks::save(dataPath(), name, box->toPlainText())) return true;
    Prompts::MsgBox(QStringLiteral("「") + name + QStringLiteral("」を保存できませんでした。"), Prompts::vbExclamation);
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

frmCustomize::ShownBlock& frmCustomize::shownIn(const QPlainTextEdit* box) {
    return box == txtOtherHead ? shownHead_ : shownUpDown_;
}

namespace {
bool readBlockFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes = file.readAll();
    return true;
}
}  // namespace

// Box text and file: the box holds LF line breaks, the file CR LF.
void frmCustomize::showBlock(QPlainTextEdit* box, const QString& name, const TextBlocks::Key& key) {
    ShownBlock& shown = shownIn(box);
    shown.name = name;
    shown.key = key;
    shown.bytes.clear();
    shown.existed = !name.isEmpty() && readBlockFile(TextBlocks::path(dataPath(), name), shown.bytes);
    box->setPlainText(TextBlocks::load(dataPath(), name));
}

void frmCustomize::writeBlockKey(const TextBlocks::Key& key, const QString& name) {
    if (key.isValid()) IniFile::WriteIniString(setFile(), key.section, key.key, name);
}

// Saved under the block and key it was typed for, so that a category or list
// entry shown since then takes nothing of it.
void frmCustomize::saveShownBlock(QPlainTextEdit* box) {
    const ShownBlock& shown = shownIn(box);
    if (shown.name.isEmpty()) return;  // no block was shown: there is no file to save into
    writeBlockKey(shown.key, shown.name);
    // Saved: a later switch of category must not save it again.
    if (saveBlock(shown.name, box)) setTag(box, QString());
}

// After an Apply the blocks hold what the user chose to keep.
void frmCustomize::takeAppliedBlocks() {
    for (ShownBlock* shown : {&shownHead_, &shownUpDown_}) {
        shown->bytes.clear();
        shown->existed =
            !shown->name.isEmpty() && readBlockFile(TextBlocks::path(dataPath(), shown->name), shown->bytes);
    }
}

// The live preview saves the shown block whenever its box is left, so text
// typed for a new block may already stand in the shown one: that block gets
// back what it held before.
void frmCustomize::restoreShownBlock(QPlainTextEdit* box) {
    const ShownBlock& shown = shownIn(box);
    if (shown.name.isEmpty()) return;
    const QString path = TextBlocks::path(dataPath(), shown.name);
    QByteArray now;
    const bool exists = readBlockFile(path, now);
    if (exists == shown.existed && now == shown.bytes) return;
    const bool restored = shown.existed ? Files::writeAtomic(path, shown.bytes) : Files::removeFile(path);
    if (!restored)
        Prompts::MsgBox(QStringLiteral("「") + shown.name + QStringLiteral("」を元に戻せませんでした。"),
                        Prompts::vbExclamation);
}

// ---- Saving and showing ----

void frmCustomize::SaveUpDownText() {
    if (upDownPosition().isEmpty() || tagOf(txtContents) != QLatin1String("Yes")) return;
    saveShownBlock(txtContents);
}

void frmCustomize::SaveHeadText() {
    if (tagOf(txtOtherHead) != QLatin1String("Yes")) return;
    saveShownBlock(txtOtherHead);
}

// Showing another block leaves the changed flag and Apply as they were: other
// edits of the window may still wait for Apply, and Cancel must still ask.
void frmCustomize::ShowHeadText() {
    const bool wasLoading = loading_;
    loading_ = true;
    if (tagOf(txtOtherHead) == QLatin1String("Yes")) SaveHeadText();
    const TextBlocks::Key key = TextBlocks::headKey(categoryCaption(), IsLeftFrameCategory);
    selectName(cmbHeadTag, key.isValid() ? IniFile::GetIniString(setFile(), key.section, key.key) : QString());
    showBlock(txtOtherHead, cmbHeadTag->currentText(), key);
    setTag(txtOtherHead, QString());
    loading_ = wasLoading;
}

void frmCustomize::OptUpDownUp_Click() { showUpDown(QStringLiteral("Head")); }
void frmCustomize::OptUpDownDown_Click() { showUpDown(QStringLiteral("Foot")); }

void frmCustomize::showUpDown(const QString& position) {
    const bool wasLoading = loading_;
    loading_ = true;
    if (tagOf(txtContents) == QLatin1String("Yes")) SaveUpDownText();
    const TextBlocks::Key key = TextBlocks::upDownKey(categoryCaption(), IsLogCategory, IsLeftFrameCategory, position);
    if (key.isValid()) selectName(cmbUpDownText, IniFile::GetIniString(setFile(), key.section, key.key));
    showBlock(txtContents, cmbUpDownText->currentText(), key);
    setTag(OptUpDownState, position);
    setTag(txtContents, QString());
    loading_ = wasLoading;
}

// ---- Choosing another block ----

void frmCustomize::cmbUpDownText_Click() { chooseBlock(cmbUpDownText, txtContents, false); }
void frmCustomize::cmbHeadTag_Click() { chooseBlock(cmbHeadTag, txtOtherHead, true); }

void frmCustomize::chooseBlock(QComboBox* list, QPlainTextEdit* box, bool head) {
    if (loading_ || list->currentIndex() < 0) return;
    const QString chosen = list->currentText();
    if (tagOf(box) == QLatin1String("Yes")) {
        if (Prompts::MsgBox(QStringLiteral("変更されていますが、保存しますか？"), Prompts::vbYesNo) == Prompts::vbYes) {
            // The edit belongs to the block shown before the pick.
            saveShownBlock(box);
            Btn_Apply_Click();
        } else if (livePreview_) {
            Files::copyFile(backupPath(), setFile());
        }
        // Either way the edit is settled; the picked block is not to be saved with it.
        setTag(box, QString());
    }
    loading_ = true;
    changed_ = false;
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
    restoreShownBlock(box);
    if (!saveBlock(name, box)) return;
    // The box now holds the new block's text: nothing is left to save into the old one.
    setTag(box, QString());
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

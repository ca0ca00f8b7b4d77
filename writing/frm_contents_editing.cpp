// The editor's editing side: change tracking, undo and redo, tabs, keys, tag
// and link insertion, and the clipboard commands.
#include "writing/frm_contents.h"

#include "platform/field_text.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "writing/frm_html_make_font.h"
#include "writing/frm_html_make_hr.h"
#include "writing/frm_html_make_list.h"
#include "writing/html_tags.h"
#include "writing/clipboard_text.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBlock>

namespace {

// The selection as plain text with LF; the document separates paragraphs
// with U+2029.
QString selectedText(const QPlainTextEdit* field) {
    QString text = field->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

Qt::KeyboardModifiers modifiersOf(const QKeyEvent* key) { return key->modifiers() & ~Qt::KeypadModifier; }

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

int frmContents::fieldIndex(const QObject* field) const {
    for (int i = 0; i < 3; ++i)
        if (fields_[i] == field) return i;
    return -1;
}

QPlainTextEdit* frmContents::selectedField() const {
    const int index = TabStrip1->currentIndex();
    return index >= 0 && index < 3 ? fields_[index] : nullptr;
}

void frmContents::TabStrip1_Click() {
    if (QPlainTextEdit* field = selectedField()) fieldStack_->setCurrentWidget(field);
}

void frmContents::InitUndoRedo() {
    for (int i = 0; i < 3; ++i) histories_[i].reset(FieldText::of(fields_[i]), fields_[i]->textCursor().position());
}

void frmContents::mnuUndo_Click() { restoreSnapshot(-1); }
void frmContents::mnuRedo_Click() { restoreSnapshot(+1); }

void frmContents::restoreSnapshot(int direction) {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    EditHistory& history = histories_[fieldIndex(field)];
    const std::optional<EditHistory::Snapshot> shot = direction < 0 ? history.undo() : history.redo();
    if (!shot) return;
    const bool differs = shot->text != FieldText::of(field);
    const bool wasLoading = Loading;
    Loading = true;
    field->setPlainText(shot->text);
    QTextCursor c = field->textCursor();
    c.setPosition(qBound(0, shot->caret, int(shot->text.size())));
    field->setTextCursor(c);
    Loading = wasLoading;
    // An undone or redone text differs from what is stored, so it is offered
    // for saving like any other edit.
    if (differs && !Loading) {
        ChangeYesNo = true;
        setSaveButtons(true);
    }
}

void frmContents::markChanged() {
    if (Loading) return;
    ChangeYesNo = true;
    setSaveButtons(true);
}

void frmContents::field_Change(int index) {
    if (Loading) return;
    markChanged();
    histories_[index].record(FieldText::of(fields_[index]), fields_[index]->textCursor().position());
}

void frmContents::txtTitle_Change() {
    txtTitle->setToolTip(txtTitle->text());
    markChanged();
}

void frmContents::richField_GotFocus() {
    if (!txtTitle->text().isEmpty()) setInsertButtons(true);
    if (ChangeYesNo) setSaveButtons(true);
}

void frmContents::txtTitle_GotFocus() { setInsertButtons(false); }

void frmContents::insertIntoField(QPlainTextEdit* field, const QString& text) {
    // A field is disabled while no entry is open (one deleted from the
    // calendar while a tag dialog stood open): a tag there would only mark
    // an entry changed that does not exist.
    if (!field->isEnabled()) return;
    QTextCursor c = field->textCursor();
    c.insertText(text);
    field->setTextCursor(c);
}

QString frmContents::bodySelectedText() const { return selectedText(txtContents); }

void frmContents::replaceBodySelection(const QString& text) {
    txtContents->setFocus();
    insertIntoField(txtContents, text);
}

void frmContents::insertBeforeBodySelection(const QString& text) {
    QTextCursor c = txtContents->textCursor();
    c.setPosition(c.selectionStart());
    txtContents->setTextCursor(c);
    insertIntoField(txtContents, text);
}

void frmContents::InsertSelectedTag() { InsertHtmlTag(ComboTag->currentIndex()); }

void frmContents::InsertHtmlTag(int n) {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    // The font, rule and list dialogs insert into the body themselves.
    if (n == HtmlTags::kFontDialog) {
        frmHTMLMakeFont::showDialog();
        return;
    }
    if (n == HtmlTags::kRuleDialog) {
        frmHTMLMakeHR::showDialog();
        return;
    }
    if (n == HtmlTags::kListDialog) {
        frmHTMLMakeList::showDialog();
        return;
    }
    const HtmlTags::Tag tag = HtmlTags::tag(n, RaravIni::read(Shell::state().RaravIniFile, RaravIni::P_TagAdd));
    if (tag.opening.isEmpty()) return;
    insertIntoField(field, HtmlTags::wrap(tag, selectedText(field)));
}

void frmContents::Btn2Click_ToolBar() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    QString address = Shell::hooks().browserAddress ? Shell::hooks().browserAddress() : QString();
    // A quote would end the attribute early and break the tag.
    address.replace(QLatin1Char('"'), QStringLiteral("%22"));
    insertIntoField(field, HtmlTags::link(address, selectedText(field)));
}

void frmContents::Cut() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    Copy();
    QTextCursor c = field->textCursor();
    c.removeSelectedText();
    field->setTextCursor(c);
}

void frmContents::Copy() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString text = selectedText(field);
    if (!text.isEmpty()) clipboard->setText(text);
}

void frmContents::Paste() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // Nothing to paste must not cost the user the selected text.
    if (!data || !data->hasText()) return;
    insertIntoField(field, Files::toLf(data->text()));
}

void frmContents::InsertFromCB_Text() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    QTextCursor c = field->textCursor();
    c.setPosition(c.selectionStart());
    field->setTextCursor(c);
    const QString text = ClipboardText::GetClipboardText(0);
    if (!text.isEmpty()) insertIntoField(field, Files::toLf(text));
}

void frmContents::InsertFromCB_Exchange() {
    QPlainTextEdit* field = selectedField();
    if (!field) return;
    QTextCursor c = field->textCursor();
    c.setPosition(c.selectionStart());
    field->setTextCursor(c);
    const QString text = ClipboardText::GetClipboardText(-1);
    if (!text.isEmpty()) insertIntoField(field, Files::toLf(text));
}

bool frmContents::Form_KeyDown(QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = modifiersOf(key);
    if (key->key() == Qt::Key_U && mods == Qt::ControlModifier) {
        Btn1Click_ToolBar();
        return true;
    }
    if (key->key() == Qt::Key_0 && mods == (Qt::ControlModifier | Qt::AltModifier) &&
        !(key->modifiers() & Qt::KeypadModifier)) {
        Prompts::MsgBox(QStringLiteral("ｷﾀ━━━━━━(ﾟ∀ﾟ)━━━━━━!!"), Prompts::vbInformation);
        return true;
    }
    return false;
}

bool frmContents::field_KeyDown(QPlainTextEdit* field, QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = modifiersOf(key);
    if (isEnter(key)) {
        // The field would put a soft line break (U+2028) for Shift+Enter; the
        // tag and a plain line end go into the field that got the key.
        int tag = -1;
        if (mods == Qt::ShiftModifier)
            tag = 0;
        else if (mods == Qt::ControlModifier)
            tag = 1;
        else if (mods != (Qt::ControlModifier | Qt::ShiftModifier))
            return false;
        QString text;
        if (tag >= 0) {
            const HtmlTags::Tag t =
                HtmlTags::tag(tag, RaravIni::read(Shell::state().RaravIniFile, RaravIni::P_TagAdd));
            text = HtmlTags::wrap(t, selectedText(field));
        }
        insertIntoField(field, text + QLatin1Char('\n'));
        return true;
    }
    if (key->key() == Qt::Key_Y && mods == Qt::ControlModifier) {
        mnuRedo_Click();
        return true;
    }
    if (key->key() == Qt::Key_Z && mods == Qt::ControlModifier) {
        mnuUndo_Click();
        return true;
    }
    return false;
}

bool frmContents::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(key)) return true;
        const int index = fieldIndex(watched);
        if (index >= 0) return field_KeyDown(fields_[index], key);
        if (watched == txtTitle && !Loading) {
            if (isEnter(key)) {
                txtContents->setFocus();
            } else if (key->key() == Qt::Key_Tab && modifiersOf(key) == Qt::NoModifier) {
                // Tab would move the focus once more from the body.
                txtContents->setFocus();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusIn) {
        if (fieldIndex(watched) >= 0)
            richField_GotFocus();
        else if (watched == txtTitle)
            txtTitle_GotFocus();
    }
    return QWidget::eventFilter(watched, event);
}

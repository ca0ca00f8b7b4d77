#include "writing/tag_dialog_ui.h"

#include "platform/prompts.h"
#include "core/shared_state.h"
#include "site/colors.h"
#include "writing/frm_contents.h"

#include <QCloseEvent>
#include <QComboBox>

TagDialog::TagDialog(const QString& caption) : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
    setWindowTitle(caption);
}

void TagDialog::Form_Load() {
    move(0, 0);
    if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(false);
}

void TagDialog::Unload() { close(); }

void TagDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloaded_) return;
    unloaded_ = true;
    if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(true);
    forgetInstance();
    deleteLater();
}

void TagDialog::insertIntoBody(const QString& text) {
    if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(true);
    if (frmContents::exists()) frmContents::instance()->replaceBodySelection(text);
}

QString TagDialog::bodySelection() {
    return frmContents::exists() ? frmContents::instance()->bodySelectedText() : QString();
}

namespace TagColors {

namespace {
QString colorNameFile() { return Shell::state().MyPath + QStringLiteral("colorname.csv"); }
}  // namespace

void fillColorNames(QComboBox* box) {
    box->clear();
    box->addItems(Colors::ColorNames(colorNameFile()));
    box->setCurrentIndex(-1);
}

void exchange(QComboBox* box) {
    QString result;
    try {
        result = Colors::LookupColorName(box->currentText(), colorNameFile());
    } catch (...) {
        return;  // without the colour list there is nothing to exchange
    }
    if (result == QLatin1String("Nothing") || result == QLatin1String("Error")) return;
    box->setEditText(result);
}

void choose(QComboBox* box, int& dialogColor) {
    try {
        QString text = box->currentText();
        if (!text.isEmpty()) {
            if (!text.startsWith(QLatin1Char('#'))) text = Colors::LookupColorName(text, colorNameFile());
            dialogColor = Colors::HexToColor(text.mid(1));
        }
        int color = dialogColor;
        if (!Prompts::current().color(color)) return;
        dialogColor = color;
        box->setEditText(QLatin1Char('#') + Colors::ColorToHex(quint32(color)));
    } catch (...) {
    }
}

}  // namespace TagColors

int listIndexOf(const QComboBox* box) {
    const int index = box->currentIndex();
    if (index >= 0 && box->itemText(index) == box->currentText()) return index;
    return box->findText(box->currentText(), Qt::MatchExactly);
}

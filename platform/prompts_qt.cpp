#include "platform/prompts_qt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace Prompts {

namespace {

// Windows that asked, latest last. A dialog that has just closed hands the
// activation back to the window beneath it only a moment later; a prompt
// opened meanwhile still belongs to the window that asked before, not to the
// main window behind a window that stays on top.
QList<QPointer<QWidget>>& recentAskers() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

bool canOwn(const QWidget* w) {
    // A disabled window (the main window during a rebuild) would disable its
    // prompt with it.
    return w && w->isEnabled() && w->isVisible();
}

void rememberAsker(QWidget* w) {
    auto& windows = recentAskers();
    windows.removeIf([w](const QPointer<QWidget>& p) { return p.isNull() || p == w; });
    windows.append(w);
    if (windows.size() > 8) windows.removeFirst();
}

}  // namespace

QWidget* askingWindow() {
    QWidget* asking = QApplication::activeModalWidget();
    if (!asking) asking = QApplication::activeWindow();
    if (canOwn(asking)) {
        rememberAsker(asking);
        return asking;
    }
    const auto& windows = recentAskers();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        if (canOwn(*it)) return *it;
    QWidget* main = owner();
    return main && main->isEnabled() ? main : nullptr;
}

int QtPrompter::message(const QString& prompt, int buttons, const QString& title) {
    QMessageBox box(askingWindow());
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (buttons & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        Result result;
    };
    QList<Choice> choices;
    switch (buttons & 7) {
    case vbOKCancel:
        choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbAbortRetryIgnore:
        choices = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo:
        choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        break;
    case vbRetryCancel:
        choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
        break;
    default:
        choices = {{QMessageBox::Ok, vbOK}};
    }
    for (const Choice& c : choices) box.addButton(c.button);
    const int defaultIndex = (buttons & vbDefaultButton3) ? 2 : (buttons & vbDefaultButton2) ? 1 : 0;
    if (defaultIndex < choices.size()) box.setDefaultButton(choices[defaultIndex].button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
        if (c.button == clicked) return c.result;
    // Closed by the window's close box: the cancel-like answer.
    return choices.size() == 1 ? vbOK : ((buttons & 7) == vbYesNo ? vbNo : vbCancel);
}

QString QtPrompter::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return inputOrCancel(prompt, title, defaultText).value_or(QString());
}

// Cancel and the window's close box both leave ok false.
std::optional<QString> QtPrompter::inputOrCancel(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(askingWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QString QtPrompter::openFile(const QString& title, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(askingWindow(), title, folder, filter);
}

QString QtPrompter::saveFile(const QString& title, const QString& filter, const QString& folder,
                             int* chosenFilter) {
    QString selected;
    const QString path = QFileDialog::getSaveFileName(askingWindow(), title, folder, filter, &selected,
                                                      QFileDialog::DontConfirmOverwrite);
    if (chosenFilter) *chosenFilter = int(filter.split(QStringLiteral(";;")).indexOf(selected)) + 1;
    return path;
}

QString QtPrompter::folder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(askingWindow(), title, start);
}

bool QtPrompter::color(int& value) {
    const QColor initial(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    const QColor c = QColorDialog::getColor(initial, askingWindow());
    if (!c.isValid()) return false;
    value = c.red() | (c.green() << 8) | (c.blue() << 16);
    return true;
}

}  // namespace Prompts

#pragma once
// The prompts the user sees: Qt's message box, input dialog and file, folder
// and colour dialogs.
#include "platform/prompts.h"

class QWidget;

namespace Prompts {

// The window a prompt belongs to: the window that asked, that is the modal
// dialog in front or else the active window, so that the prompt opens above
// it even when that window stays on top. While no window is active, as just
// after a dialog closed, the latest window that asked and is still shown;
// the main window when there is none.
QWidget* askingWindow();

class QtPrompter : public Prompter {
public:
    int message(const QString& prompt, int buttons, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> inputOrCancel(const QString& prompt, const QString& title,
                                         const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter, const QString& folder,
                     int* chosenFilter) override;
    QString folder(const QString& title, const QString& start) override;
    bool color(int& value) override;
};

}  // namespace Prompts

#pragma once
// Every message box, input box and file, folder or colour dialog goes through
// here. The program installs the Qt implementation; tests install a scripted
// one that checks each prompt and answers it.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace Prompts {

// Button and icon flags and results keep the classic message-box values, so
// that the windows can be read against the behaviour they were built for.
enum Buttons : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum Result : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

inline const QString kDefaultTitle = QStringLiteral("Quillby");

enum class Kind { Message, Input, OpenFile, SaveFile, Folder, Color };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual int message(const QString& prompt, int buttons, const QString& title) = 0;
    // "" when cancelled, as the classic input box.
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // The same box, nullopt when cancelled and "" for an empty answer. One that
    // cannot tell them apart takes an empty answer for a cancel, so that
    // nothing is written on what may have been one.
    virtual std::optional<QString> inputOrCancel(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
        QString text = input(prompt, title, defaultText);
        if (text.isEmpty()) return std::nullopt;
        return text;
    }
    // filter in Qt's form ("Text (*.txt);;All (*)"); "" when cancelled.
    virtual QString openFile(const QString& title, const QString& filter, const QString& folder) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& folder,
                             int* chosenFilter = nullptr) = 0;
    virtual QString folder(const QString& title, const QString& start) = 0;
    // Colour as 0x00BBGGRR; false when cancelled.
    virtual bool color(int& value) = 0;
};

// Takes ownership; returns the previous one (tests restore it).
std::unique_ptr<Prompter> install(std::unique_ptr<Prompter> prompter);
Prompter& current();
// The window that dialogs are centred on (may be null).
void setOwner(QWidget* owner);
QWidget* owner();

inline int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = kDefaultTitle) {
    return current().message(prompt, buttons, title);
}
inline QString InputBox(const QString& prompt, const QString& title = kDefaultTitle,
                        const QString& defaultText = QString()) {
    return current().input(prompt, title, defaultText);
}
// For a caller that must not act on a cancel as on an empty answer: nullopt
// when the box was cancelled.
inline std::optional<QString> InputBoxOrCancel(const QString& prompt, const QString& title = kDefaultTitle,
                                               const QString& defaultText = QString()) {
    return current().inputOrCancel(prompt, title, defaultText);
}

// Every one-line value a window writes passes here first: a line break (a
// pasted text) is refused with one message, since a settings line cannot
// hold it. True when no value holds one.
inline const QString kLineBreakRefused = QStringLiteral("改行を含む値は保存できません。");
bool refuseLineBreaks(const QStringList& values);

// A Windows filter ("Desc", NUL, "*.a;*.b", NUL, ...) or a "|" separated one
// in Qt's form.
QString qtFilter(const QString& windowsFilter);

}  // namespace Prompts

#pragma once
// Answers prompts by script. Each expected prompt names its kind, a piece of
// the text it must show and the answer; a prompt that was not expected, or an
// expectation left unanswered, fails the test.
#include "platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class ScriptedPrompter : public Prompts::Prompter {
public:
    struct Expectation {
        Prompts::Kind kind;
        QString contains;  // a piece of the prompt's text (or title for dialogs)
        QString answerText;
        int answer = Prompts::vbOK;
        int buttons = -1;  // checked when not -1
    };

    ScriptedPrompter& expectMessage(const QString& contains, int answer = Prompts::vbOK, int buttons = -1);
    // An answer of "" is an empty OK to a caller that tells the two apart;
    // expectInputCancel presses Cancel.
    ScriptedPrompter& expectInput(const QString& contains, const QString& answer);
    ScriptedPrompter& expectInputCancel(const QString& contains);
    ScriptedPrompter& expectOpenFile(const QString& answer, const QString& contains = QString());
    ScriptedPrompter& expectSaveFile(const QString& answer, const QString& contains = QString());
    ScriptedPrompter& expectFolder(const QString& answer, const QString& contains = QString());
    ScriptedPrompter& expectColor(int answer);  // -1 cancels

    bool allAnswered() const { return expectations_.isEmpty(); }
    // Every text shown so far, in order (messages and input prompts).
    QStringList shown;
    // The window each of those prompts would have opened above.
    QList<QWidget*> owners;
    // Runs as each prompt opens, to look at the windows while it waits.
    std::function<void(const QString&)> whilePrompting;

    int message(const QString& prompt, int buttons, const QString& title) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QString> inputOrCancel(const QString& prompt, const QString& title,
                                         const QString& defaultText) override;
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter, const QString& folder, int* chosenFilter) override;
    QString folder(const QString& title, const QString& start) override;
    bool color(int& value) override;

private:
    const Expectation* next(Prompts::Kind kind, const QString& text);
    QList<Expectation> expectations_;
    Expectation current_;
};

// Installs a ScriptedPrompter for one test and checks at the end that every
// expected prompt came.
class ScopedPrompts {
public:
    ScopedPrompts();
    ~ScopedPrompts();
    ScriptedPrompter& operator*() { return *prompter_; }
    ScriptedPrompter* operator->() { return prompter_; }

private:
    ScriptedPrompter* prompter_;
    std::unique_ptr<Prompts::Prompter> previous_;
};

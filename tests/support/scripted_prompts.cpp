#include "tests/support/scripted_prompts.h"

#include "platform/prompts_qt.h"

#include <gtest/gtest.h>

namespace {
const char* kindName(Prompts::Kind k) {
    switch (k) {
    case Prompts::Kind::Message: return "message";
    case Prompts::Kind::Input: return "input";
    case Prompts::Kind::OpenFile: return "open-file";
    case Prompts::Kind::SaveFile: return "save-file";
    case Prompts::Kind::Folder: return "folder";
    case Prompts::Kind::Color: return "color";
    }
    return "?";
}
}  // namespace

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& contains, int answer, int buttons) {
    expectations_.append({Prompts::Kind::Message, contains, QString(), answer, buttons});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectInput(const QString& contains, const QString& answer) {
    expectations_.append({Prompts::Kind::Input, contains, answer});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectInputCancel(const QString& contains) {
    expectations_.append({Prompts::Kind::Input, contains, QString(), Prompts::vbCancel});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectOpenFile(const QString& answer, const QString& contains) {
    expectations_.append({Prompts::Kind::OpenFile, contains, answer});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectSaveFile(const QString& answer, const QString& contains) {
    expectations_.append({Prompts::Kind::SaveFile, contains, answer});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectFolder(const QString& answer, const QString& contains) {
    expectations_.append({Prompts::Kind::Folder, contains, answer});
    return *this;
}
ScriptedPrompter& ScriptedPrompter::expectColor(int answer) {
    expectations_.append({Prompts::Kind::Color, QString(), QString(), answer});
    return *this;
}

const ScriptedPrompter::Expectation* ScriptedPrompter::next(Prompts::Kind kind, const QString& text) {
    shown << text;
    owners << Prompts::askingWindow();
    if (whilePrompting) whilePrompting(text);
    if (expectations_.isEmpty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << " prompt: " << text.toStdString();
        return nullptr;
    }
    current_ = expectations_.takeFirst();
    if (current_.kind != kind || !text.contains(current_.contains)) {
        ADD_FAILURE() << "expected " << kindName(current_.kind) << " prompt containing \""
                      << current_.contains.toStdString() << "\", got " << kindName(kind) << ": "
                      << text.toStdString();
        return nullptr;
    }
    return &current_;
}

int ScriptedPrompter::message(const QString& prompt, int buttons, const QString& title) {
    const Expectation* e = next(Prompts::Kind::Message, prompt);
    if (!e) return (buttons & 7) == Prompts::vbYesNo ? Prompts::vbNo : Prompts::vbCancel;
    if (e->buttons != -1) {
        EXPECT_EQ(e->buttons, buttons) << "buttons of: " << prompt.toStdString();
    }
    Q_UNUSED(title);
    return e->answer;
}

QString ScriptedPrompter::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return inputOrCancel(prompt, title, defaultText).value_or(QString());
}

std::optional<QString> ScriptedPrompter::inputOrCancel(const QString& prompt, const QString&, const QString&) {
    const Expectation* e = next(Prompts::Kind::Input, prompt);
    if (!e || e->answer == Prompts::vbCancel) return std::nullopt;
    return e->answerText;
}

QString ScriptedPrompter::openFile(const QString& title, const QString&, const QString&) {
    const Expectation* e = next(Prompts::Kind::OpenFile, title);
    return e ? e->answerText : QString();
}

QString ScriptedPrompter::saveFile(const QString& title, const QString&, const QString&, int*) {
    const Expectation* e = next(Prompts::Kind::SaveFile, title);
    return e ? e->answerText : QString();
}

QString ScriptedPrompter::folder(const QString& title, const QString&) {
    const Expectation* e = next(Prompts::Kind::Folder, title);
    return e ? e->answerText : QString();
}

bool ScriptedPrompter::color(int& value) {
    const Expectation* e = next(Prompts::Kind::Color, QString());
    if (!e || e->answer < 0) return false;
    value = e->answer;
    return true;
}

ScopedPrompts::ScopedPrompts() {
    auto p = std::make_unique<ScriptedPrompter>();
    prompter_ = p.get();
    previous_ = Prompts::install(std::move(p));
}

ScopedPrompts::~ScopedPrompts() {
    EXPECT_TRUE(prompter_->allAnswered()) << "a scripted prompt never came";
    Prompts::install(std::move(previous_));
}

#include "platform/prompts.h"

#include "platform/profile.h"

#include <QStringList>

namespace {

// Without an installed prompter nothing may block: every prompt is answered
// as if cancelled. The program installs the Qt one before its first window.
class SilentPrompter : public Prompts::Prompter {
public:
    int message(const QString&, int buttons, const QString&) override {
        switch (buttons & 7) {
        case Prompts::vbOKCancel:
        case Prompts::vbYesNoCancel:
        case Prompts::vbRetryCancel:
            return Prompts::vbCancel;
        case Prompts::vbYesNo:
            return Prompts::vbNo;
        case Prompts::vbAbortRetryIgnore:
            return Prompts::vbAbort;
        default:
            return Prompts::vbOK;
        }
    }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, int*) override { return {}; }
    QString folder(const QString&, const QString&) override { return {}; }
    bool color(int&) override { return false; }
};

std::unique_ptr<Prompts::Prompter>& slot() {
    static std::unique_ptr<Prompts::Prompter> p = std::make_unique<SilentPrompter>();
    return p;
}

QWidget*& ownerSlot() {
    static QWidget* w = nullptr;
    return w;
}

}  // namespace

namespace Prompts {

std::unique_ptr<Prompter> install(std::unique_ptr<Prompter> prompter) {
    auto previous = std::move(slot());
    slot() = prompter ? std::move(prompter) : std::make_unique<SilentPrompter>();
    return previous;
}

Prompter& current() { return *slot(); }
void setOwner(QWidget* owner) { ownerSlot() = owner; }
QWidget* owner() { return ownerSlot(); }

bool refuseLineBreaks(const QStringList& values) {
    for (const QString& v : values) {
        if (!Profile::holdsLineBreak(v)) continue;
        MsgBox(kLineBreakRefused, vbExclamation);
        return false;
    }
    return true;
}

QString qtFilter(const QString& windowsFilter) {
    QString f = windowsFilter;
    f.replace(QLatin1Char('|'), QChar(0));
    QStringList parts = f.split(QChar(0));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i];
        QString pattern = parts[i + 1];
        if (desc.isEmpty() && pattern.isEmpty()) break;
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        out << QStringLiteral("%1 (%2)").arg(desc, pattern);
    }
    return out.join(QStringLiteral(";;"));
}

}  // namespace Prompts

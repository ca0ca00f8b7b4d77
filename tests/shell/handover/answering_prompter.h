#pragma once
// The prompts of the hand-over's stand-in programs: every message is written
// to the file named by HANDOVER_LOG (one line each, after the program's
// name) and answered Yes when it asks, OK otherwise. describe() may add what
// the windows show while the prompt waits.
#include "platform/prompts.h"

#include <QFile>
#include <functional>

class AnsweringPrompter : public Prompts::Prompter {
public:
    explicit AnsweringPrompter(QString program) : program_(std::move(program)) {}
    std::function<QString(const QString&)> describe;

    int message(const QString& prompt, int buttons, const QString&) override {
        QString line = program_ + QStringLiteral(": ") + QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        if (describe) line += describe(prompt);
        QFile log(qEnvironmentVariable("HANDOVER_LOG"));
        if (log.open(QIODevice::Append)) log.write((line + QLatin1Char('\n')).toUtf8());
        const int kind = buttons & 7;
        return kind == Prompts::vbYesNo || kind == Prompts::vbYesNoCancel ? Prompts::vbYes : Prompts::vbOK;
    }
    QString input(const QString&, const QString&, const QString&) override { return QString(); }
    QString openFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFile(const QString&, const QString&, const QString&, int*) override { return QString(); }
    QString folder(const QString&, const QString&) override { return QString(); }
    bool color(int&) override { return false; }

private:
    QString program_;
};

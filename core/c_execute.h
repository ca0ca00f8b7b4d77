#pragma once
// Starts another program, optionally waiting for it while the windows stay
// alive.
#include <QString>

class cExecute {
public:
    cExecute() = default;
    ~cExecute() { stop_ = true; }
    // The first blank-separated prefix that names a program found on the
    // search path (a file that can be run) is the program; the rest are its
    // parameters, unchanged.
    // WindowStyle and the owner are kept for the callers' sake and unused.
    bool ShellX(const QString& strCommandLine, int WindowStyle = 1, bool blnWait = false);
    // Splits the line as ShellX does; exposed for tests.
    static void SplitCommandLine(const QString& line, QString& program, QString& parameters);

private:
    bool stop_ = false;
};

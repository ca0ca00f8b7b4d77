#include "core/c_execute.h"

#include "core/search_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace {
// Only a file that can be run ends a program: a plain file named like the
// text before a blank in a folder's name ("/home/my" beside "/home/my diary/")
// would otherwise cut a path that names a program whole.
bool namesProgram(const QString& candidate) {
    QString folder;
    return SearchPath::FindFileOnPath(candidate, folder) &&
           QFileInfo(folder + QFileInfo(candidate).fileName()).isExecutable();
}
}  // namespace

void cExecute::SplitCommandLine(const QString& line, QString& program, QString& parameters) {
    program = line;
    parameters.clear();
    qsizetype blank = line.indexOf(QLatin1Char(' '));
    while (blank > 0) {
        const QString candidate = line.left(blank);
        if (namesProgram(candidate)) {
            program = candidate;
            parameters = line.mid(blank + 1);
            return;
        }
        blank = line.indexOf(QLatin1Char(' '), blank + 1);
    }
}

bool cExecute::ShellX(const QString& strCommandLine, int /*WindowStyle*/, bool blnWait) {
    QString program, parameters;
    SplitCommandLine(strCommandLine, program, parameters);
    QString folder;
    if (!program.contains(QLatin1Char('/')) && SearchPath::FindFileOnPath(program, folder))
        program = folder + program;
    QStringList args = parameters.isEmpty() ? QStringList() : QProcess::splitCommand(parameters);

    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    if (!blnWait) {
        if (QProcess::startDetached(program, args)) return true;
        // Fallback: the whole line as one command.
        QStringList whole = QProcess::splitCommand(strCommandLine);
        if (whole.isEmpty()) return false;
        const QString first = whole.takeFirst();
        return QProcess::startDetached(first, whole);
    }
    process.start();
    if (!process.waitForStarted()) {
        QStringList whole = QProcess::splitCommand(strCommandLine);
        if (whole.isEmpty()) return false;
        process.setProgram(whole.takeFirst());
        process.setArguments(whole);
        process.start();
        if (!process.waitForStarted()) return false;
    }
    // The wait keeps the windows alive and always lasts one round at least.
    do {
        QCoreApplication::processEvents();
        QThread::msleep(100);
    } while (!stop_ && process.state() != QProcess::NotRunning && !process.waitForFinished(0));
    return true;
}

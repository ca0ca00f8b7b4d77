#include "core/search_path.h"

#include "core/shared_state.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace SearchPath {
bool FindFileOnPath(const QString& name, QString& folder) {
    folder.clear();
    if (name.isEmpty()) return false;
    if (name.contains(QLatin1Char('/'))) {
        const QFileInfo info(name);
        if (!info.isFile()) return false;
        folder = info.absolutePath() + QLatin1Char('/');
        return true;
    }
    QString programFolder = Shell::state().MyPath;
    if (programFolder.isEmpty()) programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    if (QFileInfo(programFolder + name).isFile()) {
        folder = programFolder;
        return true;
    }
    const QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty()) return false;
    folder = QFileInfo(found).absolutePath() + QLatin1Char('/');
    return true;
}
}  // namespace SearchPath

#include "shell/module5.h"

#include "platform/files.h"
#include "shell/shared_state.h"
#include "shell/module4.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace Module5 {

QString GetFolderPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString GetFileName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString GetExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (dot < 0 || dot < slash) return QString();
    return path.mid(dot + 1);
}

QString RemoveExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path : path.left(dot);
}

}  // namespace Module5

namespace Module19 {
QString ReadTextFile(const QString& path) {
    if (path.isEmpty() || !Files::exists(path)) return QString();
    return Module4::TrimNull(Files::readText(path));
}
}  // namespace Module19

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

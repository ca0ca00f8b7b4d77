#include "platform/program_folder.h"

#include "platform/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString withSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) return folder;
    return folder + QLatin1Char('/');
}

void seedMissing(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    const QDir base(from);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = withSlash(to) + base.relativeFilePath(source);
        if (QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        Files::copyFile(source, target);
    }
}

QString resolve(const QString& executableFolder, const QString& installedShareFolder) {
    const QString home = qEnvironmentVariable("RARAV_HOME");
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return withSlash(QDir(home).absolutePath());
    }
    const QFileInfo exeDir(executableFolder);
    if (QFileInfo::exists(withSlash(executableFolder) + QStringLiteral("default.mdb")) && exeDir.isWritable())
        return withSlash(exeDir.absoluteFilePath());
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = withSlash(data) + QStringLiteral("Rarav/");
    if (QFileInfo(installedShareFolder).isDir()) seedMissing(installedShareFolder, folder);
    QDir().mkpath(folder);
    return folder;
}

}  // namespace ProgramFolder

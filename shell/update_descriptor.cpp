#include "shell/update_descriptor.h"

#include "shell/file_names.h"
#include "shell/module4.h"

namespace UpdateDescriptor {

QString path(const QString& myPath) { return myPath + kFileName; }

Contents read(const QString& file, const QString& missingFileName) {
    auto text = [&file](const char* section, const char* key, const QString& def) {
        return Module4::GetIniString(file, QString::fromLatin1(section), QString::fromLatin1(key), def);
    };
    Contents c;
    c.currentVersion = text("CurrentVersion", "version", kDefaultVersion);
    c.releaseVersion = text("Release", "version", kDefaultVersion);
    c.releaseUrl = text("Release", "URL_Full", QString());
    c.releaseFileName = text("Release", "FileName", missingFileName);
    c.patchVersion = text("Patch", "version", kDefaultVersion);
    c.requiredVersion = text("Patch", "requiredversion", kDefaultVersion);
    c.patchUrl = text("Patch", "URL_Full", QString());
    c.patchFileName = text("Patch", "FileName", missingFileName);
    return c;
}

bool writeCurrentVersion(const QString& file, const QString& version) {
    return Module4::WriteIniString(file, QStringLiteral("CurrentVersion"), QStringLiteral("version"), version);
}

bool markUpdated(const QString& file) {
    return Module4::WriteIniString(file, QStringLiteral("Update"), QStringLiteral("Updated"), QStringLiteral("1"));
}

bool isPlainFileName(const QString& name) { return FileNames::programFolderRefusal(name).isEmpty(); }

int compareVersions(const QString& a, const QString& b) { return a.compare(b, Qt::CaseSensitive); }

}  // namespace UpdateDescriptor

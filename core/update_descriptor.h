#pragma once
// The update descriptor "update.txt" in the program folder, shared by the
// update check of the main program and by the updater: the server writes
// [Release] and [Patch], the main program [CurrentVersion], the updater
// [Update].
#include <QString>

namespace UpdateDescriptor {

inline const QString kFileName = QStringLiteral("update.txt");
inline const QString kDefaultVersion = QStringLiteral("1.6.0");
// The updater reads a missing archive name as this name, which no archive
// carries, so that a missing descriptor means "no archive".
inline const QString kUpdaterMissingFileName = QStringLiteral("dammy");

struct Contents {
    QString currentVersion;   // [CurrentVersion] version
    QString releaseVersion;   // [Release] version
    QString releaseUrl;       // [Release] URL_Full
    QString releaseFileName;  // [Release] FileName
    QString patchVersion;     // [Patch] version
    QString requiredVersion;  // [Patch] requiredversion
    QString patchUrl;         // [Patch] URL_Full
    QString patchFileName;    // [Patch] FileName
};

QString path(const QString& myPath);
// Missing versions read as kDefaultVersion, missing addresses as "" and
// missing archive names as missingFileName.
Contents read(const QString& file, const QString& missingFileName = QString());
bool writeCurrentVersion(const QString& file, const QString& version);
bool markUpdated(const QString& file);

// An archive name from the server is used only when it names a file right
// in the program folder that is none of the program's own files
// (FileNames::programFolderRefusal).
bool isPlainFileName(const QString& name);

// Versions are compared number by number ("1.10.0" is newer than "1.7.1");
// a missing number counts as 0 ("1.7" equals "1.7.0"). Negative, 0 or
// positive as a is older than, equal to or newer than b.
int compareVersions(const QString& a, const QString& b);

}  // namespace UpdateDescriptor

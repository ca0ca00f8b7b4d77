#pragma once
// The main program's side of updating: ask the maker's server for update.txt,
// offer a newer patch or release, download it, and hand over to the updater,
// which applies it while the main program is closed.
#include "core/update_descriptor.h"
#include "web/http_source.h"

#include <QString>

namespace UpdateCheck {

inline const QString kUpdater = QStringLiteral("QuillbyUpdater");
inline const QString kUpdaterCopy = QStringLiteral("QuillbyUpTmp");

// What an update check works with. fromShell() fills it from the main
// window's state; tests fill it themselves.
struct Environment {
    QString myPath;             // program folder, ends in "/"
    QString runningVersion;     // "major.minor.revision"
    QString descriptorAddress;  // address of update.txt on the server
    HttpSource* http = nullptr;
    DownloadProgress* progress = nullptr;  // may be null
};
Environment fromShell(HttpSource& http, DownloadProgress* progress);

struct Offer {
    enum Kind { Nothing, Patch, Release } kind = Nothing;
    QString address;
    QString fileName;
    QString version;
};
// A patch when it is newer than the running version and the running version
// is strictly newer than the one it requires; else the release when newer;
// else nothing.
Offer choose(const UpdateDescriptor::Contents& d);

// The updater to copy: the one in the program folder, else the one beside
// this executable (an installed program); "" when there is none.
QString updaterExecutable(const QString& myPath);

// MnuUpdateCheck: the whole check, from fetching update.txt to the hand-over.
// A second check while one runs is refused with a message.
void MnuUpdateCheck_Click(const Environment& env);
// MnuQuillbyUpdater: records the running version and hands over at once;
// refused while a check runs.
void MnuQuillbyUpdater_Click(const Environment& env);

// Replaces the updater's running copy with the updater and starts the copy.
// True when it started; the caller then ends the main program.
bool startUpdater(const QString& myPath);

}  // namespace UpdateCheck

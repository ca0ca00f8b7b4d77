#pragma once
// The program folder ("MyPath"): shipped files live there and the program
// writes beside them (user list, UserData/, converter settings, update files).
#include <QString>

namespace ProgramFolder {

// Resolved once: $RARAV_HOME; else the executable's folder when it holds
// default.mdb and is writable (a build tree or a portable copy); else
// $XDG_DATA_HOME/Rarav/, created and seeded file by file from the installed
// shipped files. Always ends in "/".
QString resolve(const QString& executableFolder, const QString& installedShareFolder);
// Copies every file of from into to (recursively) where to lacks it.
void seedMissing(const QString& from, const QString& to);
// A folder text with a trailing "/" (the empty text stays empty).
QString withSlash(const QString& folder);

}  // namespace ProgramFolder

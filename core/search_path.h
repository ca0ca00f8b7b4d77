#pragma once
// Finding a helper program's folder.
#include <QString>

namespace SearchPath {
// Looks a file up in the program folder, then on PATH. When found, folder
// receives the folder it lies in, with a trailing "/".
bool FindFileOnPath(const QString& name, QString& folder);
}  // namespace SearchPath

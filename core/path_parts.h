#pragma once
// Taking paths apart at the last "/".
#include <QString>

namespace PathParts {

QString GetFolderPath(const QString& path);   // "/a/b.txt" -> "/a"; "b.txt" -> ""
QString GetFileName(const QString& path);     // "/a/b.txt" -> "b.txt"; "/a/" -> ""
QString GetExtension(const QString& path);    // "/a/b.tar.gz" -> "gz"; "/a.b/c" -> ""
// Cuts before the last "." anywhere, folder names included ("/a.b/c" ->
// "/a"); callers pass file names, whose base names they rely on.
QString RemoveExtension(const QString& path);

}  // namespace PathParts

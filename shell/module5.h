#pragma once
// Taking paths apart at the last "/".
#include <QString>

namespace Module5 {

QString GetFolderPath(const QString& path);   // "/a/b.txt" -> "/a"; "b.txt" -> ""
QString GetFileName(const QString& path);     // "/a/b.txt" -> "b.txt"; "/a/" -> ""
QString GetExtension(const QString& path);    // "/a/b.tar.gz" -> "gz"; "/a.b/c" -> ""
// Cuts before the last "." anywhere, folder names included ("/a.b/c" ->
// "/a"); callers pass file names, whose base names they rely on.
QString RemoveExtension(const QString& path);

}  // namespace Module5

namespace Module19 {
// The whole file decoded from CP932 and cut at the first NUL; "" when the path
// is empty, the file is missing, or anything fails.
QString ReadTextFile(const QString& path);
}  // namespace Module19

namespace SearchPath {
// Looks a file up in the program folder, then on PATH. When found, folder
// receives the folder it lies in, with a trailing "/".
bool FindFileOnPath(const QString& name, QString& folder);
}  // namespace SearchPath

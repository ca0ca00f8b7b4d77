#pragma once
// Text files read whole, as the windows read them.
#include <QString>

namespace TextFile {
// The whole file decoded from CP932 and cut at the first NUL; "" when the path
// is empty, the file is missing, or anything fails.
QString ReadTextFile(const QString& path);
}  // namespace TextFile

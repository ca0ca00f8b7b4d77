#include "core/text_file.h"

#include "platform/files.h"
#include "core/ini_file.h"

namespace TextFile {
QString ReadTextFile(const QString& path) {
    if (path.isEmpty() || !Files::exists(path)) return QString();
    return IniFile::TrimNull(Files::readText(path));
}
}  // namespace TextFile

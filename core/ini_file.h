#pragma once
// Settings-file procedures under the names every window calls them by.
// Arguments are always file, section, key, then value or default.
#include <QString>
#include <QStringList>

namespace IniFile {

// False when the file could not be written.
bool WriteIniString(const QString& file, const QString& section, const QString& key, const QString& value);
bool DeleteIniKey(const QString& file, const QString& section, const QString& key);
// The value with default "" (no buffer padding here, so TrimNull is harmless).
QString GetIniStringRaw(const QString& file, const QString& section, const QString& key);
QString GetIniString(const QString& file, const QString& section, const QString& key,
                     const QString& defaultValue = QString());
int GetIniInt(const QString& file, const QString& section, const QString& key);
int GetIniIntDefault(const QString& file, const QString& section, const QString& key, int defaultValue);
QString TrimNull(const QString& text);
QStringList GetIniSectionNames(const QString& file);

}  // namespace IniFile

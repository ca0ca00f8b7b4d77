#include "core/ini_file.h"

#include "platform/profile.h"

namespace IniFile {

bool WriteIniString(const QString& file, const QString& section, const QString& key, const QString& value) {
    return Profile::writeString(file, section, key, value);
}

bool DeleteIniKey(const QString& file, const QString& section, const QString& key) {
    return Profile::deleteKey(file, section, key);
}

QString GetIniStringRaw(const QString& file, const QString& section, const QString& key) {
    return Profile::readString(file, section, key, QString());
}

QString GetIniString(const QString& file, const QString& section, const QString& key, const QString& defaultValue) {
    return TrimNull(Profile::readString(file, section, key, defaultValue));
}

int GetIniInt(const QString& file, const QString& section, const QString& key) {
    return Profile::readInt(file, section, key, 0);
}

int GetIniIntDefault(const QString& file, const QString& section, const QString& key, int defaultValue) {
    return Profile::readInt(file, section, key, defaultValue);
}

QString TrimNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QStringList GetIniSectionNames(const QString& file) { return Profile::sectionNames(file); }

}  // namespace IniFile

#include "core/rarav_ini.h"

#include "core/ini_file.h"

namespace RaravIni {

QString read(const QString& iniFile, const TextKey& k) {
    return IniFile::GetIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                 QString::fromUtf8(k.defaultValue));
}

int read(const QString& iniFile, const IntKey& k) {
    return IniFile::GetIniIntDefault(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                     k.defaultValue);
}

bool write(const QString& iniFile, const TextKey& k, const QString& value) {
    return IniFile::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

bool write(const QString& iniFile, const IntKey& k, int value) {
    return IniFile::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                   QString::number(value));
}

bool write(const QString& iniFile, const IntKey& k, const QString& value) {
    return IniFile::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

QString zettikPath(const QString& iniFile, const QString& myPath) {
    return IniFile::GetIniString(iniFile, QString::fromLatin1(ZettikPath.section), QString::fromLatin1(ZettikPath.key),
                                 myPath);
}

}  // namespace RaravIni

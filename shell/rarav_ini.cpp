#include "shell/rarav_ini.h"

#include "shell/module4.h"

namespace RaravIni {

QString read(const QString& iniFile, const TextKey& k) {
    return Module4::GetIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                 QString::fromUtf8(k.defaultValue));
}

int read(const QString& iniFile, const IntKey& k) {
    return Module4::GetIniIntDefault(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                     k.defaultValue);
}

bool write(const QString& iniFile, const TextKey& k, const QString& value) {
    return Module4::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

bool write(const QString& iniFile, const IntKey& k, int value) {
    return Module4::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                   QString::number(value));
}

bool write(const QString& iniFile, const IntKey& k, const QString& value) {
    return Module4::WriteIniString(iniFile, QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

QString zettikPath(const QString& iniFile, const QString& myPath) {
    return Module4::GetIniString(iniFile, QString::fromLatin1(ZettikPath.section), QString::fromLatin1(ZettikPath.key),
                                 myPath);
}

}  // namespace RaravIni

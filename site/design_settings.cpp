#include "site/design_settings.h"

#include "shell/module4.h"
#include "shell/module5.h"
#include "shell/shared_state.h"

SiteContext SiteContext::fromShell() {
    const Shell::SharedState& s = Shell::state();
    SiteContext c;
    c.custIni = s.CustIniFile;
    c.frameIni = s.FrameIniFile;
    c.rssIni = s.RSSIniFile;
    c.haloScanIni = s.HaloScanIniFile;
    c.dataPath = s.DataPath;
    c.myPath = s.MyPath;
    c.userPath = s.UserPath;
    c.databasePath = s.databasePath();
    return c;
}

int SiteContext::design(const char* section, const char* key) const {
    return Module4::GetIniInt(custIni, QLatin1String(section), QLatin1String(key));
}

QString SiteContext::designText(const char* section, const char* key) const {
    return Module4::TrimNull(Module4::GetIniStringRaw(custIni, QLatin1String(section), QLatin1String(key)));
}

int SiteContext::frame(const char* section, const char* key) const {
    return Module4::GetIniInt(frameIni, QLatin1String(section), QLatin1String(key));
}

QString SiteContext::frameText(const char* section, const char* key) const {
    return Module4::TrimNull(Module4::GetIniStringRaw(frameIni, QLatin1String(section), QLatin1String(key)));
}

int SiteContext::haloScanOn() const {
    return Module4::GetIniIntDefault(haloScanIni, QStringLiteral("GENERAL"), QStringLiteral("HaloScanOn"), 0);
}

QString SiteContext::haloScanUser() const {
    return Module4::GetIniString(haloScanIni, QStringLiteral("GENERAL"), QStringLiteral("UserName"), QString());
}

QString SiteContext::textBlock(const char* section, const char* key) const {
    const QString name = designText(section, key);
    if (name.isEmpty()) return QString();
    return Module19::ReadTextFile(dataPath + QStringLiteral("Customize/") + name + QStringLiteral(".htm"));
}

QString SiteContext::jsLog() const { return Module19::ReadTextFile(myPath + QStringLiteral("JS_Log.txt")); }

#include "site/design_settings.h"

#include "platform/files.h"
#include "core/file_names.h"
#include "core/ini_file.h"
#include "core/text_file.h"
#include "core/shared_state.h"

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
    return IniFile::GetIniInt(custIni, QLatin1String(section), QLatin1String(key));
}

QString SiteContext::designText(const char* section, const char* key) const {
    return IniFile::TrimNull(IniFile::GetIniStringRaw(custIni, QLatin1String(section), QLatin1String(key)));
}

int SiteContext::frame(const char* section, const char* key) const {
    return IniFile::GetIniInt(frameIni, QLatin1String(section), QLatin1String(key));
}

QString SiteContext::frameText(const char* section, const char* key) const {
    return IniFile::TrimNull(IniFile::GetIniStringRaw(frameIni, QLatin1String(section), QLatin1String(key)));
}

int SiteContext::haloScanOn() const {
    return IniFile::GetIniIntDefault(haloScanIni, QStringLiteral("GENERAL"), QStringLiteral("HaloScanOn"), 0);
}

QString SiteContext::haloScanUser() const {
    return IniFile::GetIniString(haloScanIni, QStringLiteral("GENERAL"), QStringLiteral("UserName"), QString());
}

QString SiteContext::textBlock(const char* section, const char* key) const {
    const QString name = designText(section, key);
    const QString folder = dataPath + QStringLiteral("Customize/");
    // A set may come from someone else: a name that leaves the set folder
    // would put a file from elsewhere into a page that is then uploaded.
    if (name.isEmpty() || !FileNames::isSingleName(name)) return QString();
    QString path = folder + name + QStringLiteral(".htm");
    // The window lists and edits "Top.HTM" as the block "Top"; the page takes it too.
    if (!Files::exists(path))
        for (const QString& file : Files::listFiles(folder, QStringLiteral("*.htm")))
            if (file.size() == name.size() + 4 && file.startsWith(name)) {
                path = folder + file;
                break;
            }
    return TextFile::ReadTextFile(path);
}

QString SiteContext::jsLog() const { return TextFile::ReadTextFile(myPath + QStringLiteral("JS_Log.txt")); }

#include "design/site_settings.h"

#include "core/ini_file.h"
#include "core/shared_state.h"

namespace SiteSettings {

namespace {
// A settings line ends at its line break: the rest of a typed text would be
// lost, or read as keys and sections of its own.
QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
bool isOn(const QString& file, const char* section, const char* key, int defaultValue = 0) {
    return IniFile::GetIniIntDefault(file, QString::fromLatin1(section), QString::fromLatin1(key), defaultValue) == 1;
}
QString text(const QString& file, const char* section, const char* key, const QString& defaultValue = QString()) {
    return IniFile::GetIniString(file, QString::fromLatin1(section), QString::fromLatin1(key), defaultValue);
}
}  // namespace

Values read() {
    const Shell::SharedState& s = Shell::state();
    Values v;
    const QString frame = s.FrameIniFile;
    v.RaravDivide = isOn(frame, "Divide", "RaravDivide");
    const int term = IniFile::GetIniInt(frame, QStringLiteral("Divide"), QStringLiteral("RaravTerm"));
    // The window offers 1 to 31 only; anything else (a hand-edited file) shows the whole month.
    v.RaravTerm = term >= 1 && term <= 31 ? QString::number(term) : QStringLiteral("31");
    v.RaravOnTop = isOn(frame, "Divide", "RaravOnTop");
    v.TopLinkToTopPage = text(frame, "Divide", "TopLink") == QLatin1String("TopPage");
    v.LogDivide = isOn(frame, "Divide", "LogDivide");
    v.UseFileName2Day = isOn(frame, "Divide", "UseFileName2Day");
    v.FrameOn = isOn(frame, "Frame", "FrameOn");
    v.CalenderFrameSize = text(frame, "Frame", "CalenderFrameSize");
    v.Border = text(frame, "Frame", "Border");
    v.Scrolling = isOn(frame, "Frame", "Scrolling");
    v.Resize = isOn(frame, "Frame", "Resize");

    const QString rss = s.RSSIniFile;
    v.RSSOn = isOn(rss, "GENERAL", "RSSOn");
    v.Title = text(rss, "Setting", "Title", QStringLiteral("日記"));
    v.HPURL = text(rss, "Setting", "HPURL");
    v.RaravURL = text(rss, "Setting", "RaravURL");
    v.Description = text(rss, "Setting", "Description", QStringLiteral("日記です。"));
    v.ManagingAuthor = text(rss, "RSS2.0", "ManagingAuthor");
    v.WebMaster = text(rss, "RSS2.0", "WebMaster");
    v.AtomAuthor = text(rss, "ATOM", "Author");

    v.HaloScanOn = isOn(s.HaloScanIniFile, "GENERAL", "HaloScanOn");
    v.HaloScanUserName = text(s.HaloScanIniFile, "GENERAL", "UserName");

    const QString blog = s.BlogIniFile;
    v.BlogStatus = isOn(blog, "SIMPLE", "Status", 1);
    v.BlogAcceptComment = isOn(blog, "SIMPLE", "AcceptComment", 1);
    v.BlogAcceptTrackBack = isOn(blog, "SIMPLE", "AcceptTrackBack", 1);
    v.BlogPandBRTag = isOn(blog, "PandBRTag", "Type", 1);
    return v;
}

bool write(const Values& v) {
    const Shell::SharedState& s = Shell::state();
    bool ok = true;
    auto put = [&ok](const QString& file, const char* section, const char* key, const QString& value) {
        ok = IniFile::WriteIniString(file, QString::fromLatin1(section), QString::fromLatin1(key), oneLine(value)) && ok;
    };
    put(s.FrameIniFile, "Divide", "RaravDivide", flag(v.RaravDivide));
    put(s.FrameIniFile, "Divide", "RaravTerm", v.RaravTerm);
    put(s.FrameIniFile, "Divide", "RaravOnTop", flag(v.RaravOnTop));
    put(s.FrameIniFile, "Divide", "TopLink", v.TopLinkToTopPage ? QStringLiteral("TopPage") : QStringLiteral("PageTop"));
    put(s.FrameIniFile, "Divide", "LogDivide", flag(v.LogDivide));
    put(s.FrameIniFile, "Divide", "UseFileName2Day", flag(v.UseFileName2Day));
    put(s.FrameIniFile, "Frame", "FrameOn", flag(v.FrameOn));
    put(s.FrameIniFile, "Frame", "CalenderFrameSize", v.CalenderFrameSize);
    put(s.FrameIniFile, "Frame", "Border", v.Border);
    put(s.FrameIniFile, "Frame", "Scrolling", flag(v.Scrolling));
    put(s.FrameIniFile, "Frame", "Resize", flag(v.Resize));
    put(s.RSSIniFile, "General", "RSSOn", flag(v.RSSOn));
    put(s.RSSIniFile, "Setting", "Title", v.Title);
    put(s.RSSIniFile, "Setting", "HPURL", v.HPURL);
    put(s.RSSIniFile, "Setting", "RaravURL", v.RaravURL);
    put(s.RSSIniFile, "Setting", "Description", v.Description);
    put(s.RSSIniFile, "RSS2.0", "ManagingAuthor", v.ManagingAuthor);
    put(s.RSSIniFile, "RSS2.0", "WebMaster", v.WebMaster);
    put(s.RSSIniFile, "ATOM", "Author", v.AtomAuthor);
    put(s.HaloScanIniFile, "GENERAL", "HaloScanOn", flag(v.HaloScanOn));
    put(s.HaloScanIniFile, "GENERAL", "UserName", v.HaloScanUserName);
    put(s.BlogIniFile, "SIMPLE", "Status", flag(v.BlogStatus));
    put(s.BlogIniFile, "SIMPLE", "AcceptComment", flag(v.BlogAcceptComment));
    put(s.BlogIniFile, "SIMPLE", "AcceptTrackBack", flag(v.BlogAcceptTrackBack));
    put(s.BlogIniFile, "PandBRTag", "Type", flag(v.BlogPandBRTag));
    return ok;
}

}  // namespace SiteSettings

#include "site/feed_page.h"

#include "core/ini_file.h"
#include "core/path_parts.h"
#include "site/feed_text.h"

namespace Feeds {

QStringList PageFeeds::headLinks() const {
    if (!on) return {};
    const QString base = FeedText::escapeAttribute(linkBase);
    const QString rss = QStringLiteral("<link rel=\"alternate\" type=\"application/rss+xml\" title=\"%1\" href=\"%2%3\" />");
    return {rss.arg(QStringLiteral("RSS0.91"), base, QStringLiteral("_RSS091.xml")),
            rss.arg(QStringLiteral("RSS1.0"), base, QStringLiteral("_RSS100.xml")),
            rss.arg(QStringLiteral("RSS2.0"), base, QStringLiteral("_RSS200.xml")),
            QStringLiteral("<link rel=\"alternate\" type=\"application/atom+xml\" title=\"Atom0.3\" href=\"%1_ATOM.xml\" />")
                .arg(base)};
}

QString PageFeeds::footLinks() const {
    if (!on) return {};
    const QString base = FeedText::escapeAttribute(linkBase);
    return QStringLiteral("<p align=center><a href=\"%1_RSS091.xml\">RSS0.91</a> | <a href=\"%1_RSS100.xml\">RSS1.0</a>"
                          " | <a href=\"%1_RSS200.xml\">RSS2.0</a> | <a href=\"%1_ATOM.xml\">ATOM</a></p>")
        .arg(base);
}

PageFeeds writePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context) {
    PageFeeds feeds;
    if (IniFile::GetIniInt(rssIniFile, QStringLiteral("GENERAL"), QStringLiteral("RSSOn")) != 1) return feeds;
    clsRSSreader writer(context);
    if (!writer.Initialize(rssIniFile)) return feeds;
    writer.SetFilePath(pagePath);
    feeds.linkBase = writer.feedLinkBase();
    writer.MakeRSS();
    feeds.on = true;
    const QString folder = PathParts::GetFolderPath(pagePath);
    const QString name = PathParts::RemoveExtension(PathParts::GetFileName(pagePath));
    for (const QString& suffix : clsRSSreader::suffixes()) feeds.uploadLines << folder + QLatin1Char(',') + name + suffix;
    return feeds;
}

}  // namespace Feeds

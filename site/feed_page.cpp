#include "site/feed_page.h"

#include "platform/clock.h"
#include "platform/profile_cache.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
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

PreparedFeeds preparePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context) {
    PreparedFeeds prepared{{}, clsRSSreader(context), Clock::now(), Shell::versionText()};
    if (IniFile::GetIniInt(rssIniFile, QStringLiteral("GENERAL"), QStringLiteral("RSSOn")) != 1) return prepared;
    clsRSSreader& writer = prepared.writer;
    if (!writer.Initialize(rssIniFile)) return prepared;
    writer.SetFilePath(pagePath);
    PageFeeds& feeds = prepared.feeds;
    feeds.linkBase = writer.feedLinkBase();
    feeds.on = true;
    const QString folder = PathParts::GetFolderPath(pagePath);
    const QString name = PathParts::RemoveExtension(PathParts::GetFileName(pagePath));
    for (const QString& suffix : clsRSSreader::suffixes()) feeds.uploadLines << folder + QLatin1Char(',') + name + suffix;
    return prepared;
}

void PreparedFeeds::read() {
    if (feeds.on) writer.ReadEntries();
}

void PreparedFeeds::write() const {
    if (!feeds.on) return;
    // The settings files are looked at once for the whole writing, on
    // whichever thread runs it.
    ProfileCache::Operation settingsRead;
    writer.WriteFeeds(now, version);
}

PageFeeds writePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context) {
    PreparedFeeds prepared = preparePageFeeds(pagePath, rssIniFile, context);
    prepared.read();
    prepared.write();
    return prepared.feeds;
}

}  // namespace Feeds

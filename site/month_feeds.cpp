#include "site/month_feeds.h"

#include "site/feed_page.h"

bool writeMonthFeeds(const QString& rssIniFile, const QString& pagePath, QString& feedLinkBase) {
    const Feeds::PageFeeds feeds = Feeds::writePageFeeds(pagePath, rssIniFile, FeedContext::fromShell());
    feedLinkBase = feeds.linkBase;
    return feeds.on;
}

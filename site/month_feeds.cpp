#include "site/month_feeds.h"

#include "site/feed_page.h"

MonthFeeds monthFeeds(const QString& rssIniFile, const QString& pagePath) {
    Feeds::PreparedFeeds prepared = Feeds::preparePageFeeds(pagePath, rssIniFile, FeedContext::fromShell());
    prepared.read();
    MonthFeeds feeds{prepared.feeds.on, prepared.feeds.linkBase, {}};
    if (feeds.on) feeds.write = [prepared = std::move(prepared)] { prepared.write(); };
    return feeds;
}

#include "site/month_feeds.h"

#include "site/rss_reader.h"

bool writeMonthFeeds(const QString& rssIniFile, const QString& pagePath, QString& raravUrl) {
    raravUrl.clear();
    clsRSSreader reader;
    if (!reader.Initialize(rssIniFile)) return false;
    reader.SetFilePath(pagePath);
    raravUrl = reader.GetRaravURL();
    reader.MakeRSS();
    return true;
}

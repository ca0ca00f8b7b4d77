#include "site/month_feeds.h"

bool writeMonthFeeds(const QString& rssIniFile, const QString& pagePath, QString& raravUrl) {
    // The feed writer plugs in here: Initialize(rssIniFile), then
    // SetFilePath(pagePath), raravUrl = GetRaravURL(), MakeRSS().
    Q_UNUSED(rssIniFile);
    Q_UNUSED(pagePath);
    raravUrl.clear();
    return false;
}

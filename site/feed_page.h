#pragma once
// The feeds of a month page in one call: what the month page generator asks
// of the feed writer, and what it gets back for the page and the upload list.
#include "site/rss_reader.h"

#include <QString>
#include <QStringList>

namespace Feeds {

struct PageFeeds {
    // False when feeds are off in RSS.ini or its channel settings are not
    // usable (no RaravURL): then no feed was touched and the page carries no
    // feed link and no feed line.
    bool on = false;
    // The channel's RaravURL before its last ".": the feeds' published
    // addresses are this plus the suffixes.
    QString linkBase;
    // "folder,name_RSS091.xml" ... for the upload list, in the feeds' order.
    QStringList uploadLines;

    // The four <link rel="alternate"> lines of the page head.
    QStringList headLinks() const;
    // The line of links to the four feeds at the foot of the page.
    QString footLinks() const;
};

// Writes the four feeds beside the page at pagePath when RSS.ini (GENERAL,
// RSSOn = 1) switches them on. Reads rssIniFile and, through the context,
// the user's database, Frame.ini and HTML2TXT_RSS.ini.
// Throws RuntimeError when the database or a feed file fails.
PageFeeds writePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context);

}  // namespace Feeds

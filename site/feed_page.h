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

// The feeds of a page as RSS.ini settles them before any is written: what
// the page needs of them, known at once, and the writing, which may run on
// another thread while the page is made.
struct PreparedFeeds {
    PageFeeds feeds;
    clsRSSreader writer;
    QDateTime now;    // the build time the feeds carry
    QString version;  // the program's, for their generator lines

    // When feeds.on, read() takes their entries from the user's database
    // (and Frame.ini), then write() writes the four feeds, reading
    // HTML2TXT_RSS.ini. write() touches nothing of the main window's, so it
    // may run on another thread. Each throws RuntimeError when the database
    // or a feed file fails.
    void read();
    void write() const;
};

// Reads rssIniFile only (GENERAL, RSSOn = 1 switches the feeds on; the
// channel needs its RaravURL) and the clock.
PreparedFeeds preparePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context);

// Prepares and writes the four feeds beside the page at pagePath.
// Throws RuntimeError when the database or a feed file fails.
PageFeeds writePageFeeds(const QString& pagePath, const QString& rssIniFile, const FeedContext& context);

}  // namespace Feeds

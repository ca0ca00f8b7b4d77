#pragma once
// The feeds of a current-month page, written before the page itself.
#include <QString>
#include <functional>

// What a month page knows of its feeds before any is written, and the
// writing of them.
struct MonthFeeds {
    // False when RSS.ini leaves them off or its settings are not usable:
    // then no feed is touched and the page links none.
    bool on = false;
    // Their published address less the suffixes ("_RSS091.xml" ...).
    QString linkBase;
    // Writes the four feeds beside the page. It runs on a thread of its own
    // while the page is made, so it reads nothing of the main window's and
    // shows no prompt. Throws RuntimeError.
    std::function<void()> write;
};

// Reads the feed settings of rssIniFile and, when the feeds are on, their
// entries from the database (throwing RuntimeError when it fails): the
// page's entries come after them through the same connection.
MonthFeeds monthFeeds(const QString& rssIniFile, const QString& pagePath);

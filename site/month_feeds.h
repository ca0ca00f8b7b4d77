#pragma once
// The feeds of a current-month page, written before the page itself.
#include <QString>

// Reads the feed settings of rssIniFile; when they are usable, writes the
// four feeds beside pagePath (its base + "_RSS091.xml" ...), sets
// feedLinkBase to their published address less the suffixes and returns
// true. False leaves the feeds of an earlier generation as they are, and the
// page links none.
bool writeMonthFeeds(const QString& rssIniFile, const QString& pagePath, QString& feedLinkBase);

#pragma once
// One month of the diary as a web site: the month page (or a frameset with a
// diary frame and a calendar frame), its divided pages, the feeds, and on
// request the list of files written for the upload.
#include "site/design_settings.h"
#include "site/month_feeds.h"

#include <QString>
#include <functional>

namespace HTML0 {

enum PageMode { CurrentMonth = 1, PastLog = 2 };

// The feeds of pagePath (see monthFeeds), asked only when RSS.ini switches
// them on.
using FeedWriter = std::function<MonthFeeds(const QString& rssIniFile, const QString& pagePath)>;

// pagePath: the top page, with extension, in an existing folder.
// monthPrefix: "yyyy/mm". Reads the settings and the database afresh and
// traps nothing: a failure throws RuntimeError, pages already written stay.
// meanwhile, when given, runs on this thread once the pages are made, while
// the feeds may still be on their way and before any page is written; it
// must throw nothing.
void MakeMonthPage(const QString& pagePath, const QString& monthPrefix, int mode, bool writeUploadList = false,
                   bool includePrivate = false, const std::function<void()>& meanwhile = {});
void MakeMonthPage(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix, int mode,
                   bool writeUploadList, bool includePrivate, const FeedWriter& feeds,
                   const std::function<void()>& meanwhile = {});

}  // namespace HTML0

#pragma once
// One month of the diary as a web site: the month page (or a frameset with a
// diary frame and a calendar frame), its divided pages, the feeds, and on
// request the list of files written for the upload.
#include "site/design_settings.h"

#include <QString>
#include <functional>

namespace HTML0 {

enum PageMode { CurrentMonth = 1, PastLog = 2 };

// Writes the feeds for pagePath; true with the channel's address when it
// wrote them (see writeMonthFeeds).
using FeedWriter = std::function<bool(const QString& rssIniFile, const QString& pagePath, QString& feedLinkBase)>;

// pagePath: the top page, with extension, in an existing folder.
// monthPrefix: "yyyy/mm". Reads the settings and the database afresh and
// traps nothing: a failure throws RuntimeError, pages already written stay.
void MakeMonthPage(const QString& pagePath, const QString& monthPrefix, int mode, bool writeUploadList = false,
                   bool includePrivate = false);
void MakeMonthPage(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix, int mode,
                   bool writeUploadList, bool includePrivate, const FeedWriter& feeds);

}  // namespace HTML0

#pragma once
// The two frame files of a framed month: the top page as a frameset, and the
// beginning of the calendar frame page.
#include "site/design_settings.h"
#include "site/page_text.h"

namespace HTML0 {

// The four feed links of a page head, on feedLinkBase (the feed channel's
// address up to its last ".").
QString feedLinkLines(const QString& feedLinkBase);

// pagePath becomes a frameset of "./<base>_C.htm" (CALENDER) and
// "./<base>_D.htm" (RARAV); with rssOn 1 it links the feeds.
PageOut WriteFrameset(const SiteContext& ctx, const QString& pagePath, int rssOn, const QString& feedLinkBase);

// The head, body tag, upper block and month caption of "<base>_C.htm"; the
// caller appends the calendar, the past-log list and the end.
PageOut WriteCalendarFrameHead(const SiteContext& ctx, const QString& pagePath, const QString& monthPrefix);

}  // namespace HTML0

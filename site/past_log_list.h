#pragma once
// The list of archived months on the current month's page: links, or a
// drop-down box whose button calls GetSelectionText of JS_Log.txt.
#include "site/design_settings.h"

#include <QString>

namespace HTML2 {

// Text to append to the page that carries the navigation (the calendar
// frame page when frames are on). Throws RuntimeError when LogDB cannot be
// read.
QString WriteLogList(const SiteContext& ctx);

}  // namespace HTML2

#pragma once
// The entry blocks of a month: appended to the top page, or a divided page
// made whole with its own head and tail.
#include "site/design_settings.h"
#include "site/month_entries.h"
#include "site/page_text.h"

namespace HTML3 {

enum class WriteKind { New, Append };

// Append: the entries of page 0 (all of them when raravDivide is 0) and the
// page-move block, as text to append to pagePath. New: divided page
// pageNumber, named after pagePath (or after its day when pages are named by
// day), whole. Throws RuntimeError when a day-named page holds no entry.
PageOut WriteRaravPage(const SiteContext& ctx, const QString& pagePath, int raravDivide, WriteKind kind,
                       int pageNumber, const DayPageMap& map, int mode, const MonthEntries& entries);

// The icon file of a weather word, "" for "-" and words without an icon.
QString weatherIcon(const QString& weather);

}  // namespace HTML3

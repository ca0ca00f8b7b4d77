#pragma once
// The month calendar of the site pages and the date rules it rests on.
#include "site/design_settings.h"
#include "site/month_entries.h"

#include <QString>

namespace HTML1 {

// Weekday of the month's first day, Monday = 0 ... Sunday = 6.
int GetFirstWeekday(int year, int month);
// 28..31; 0 for a month outside 1..12.
int GetDaysInMonth(int year, int month);
bool IsLeapYear(int year, int month = 0);
bool IsDivisible(double value, double divisor);
// Index 0 = Sunday; type 1 gives the kanji, else English abbreviations; ""
// outside 0..6.
QString GetWeekdayName(int index, int type);

// The calendar table of a month, Sunday first, as text to append to the page
// that carries it. Days with entries link to the top page, a divided page or
// a day page; the links open in targetFrame. kind 1 is the current site
// (frames as Frame.ini says), 2 a past-log page (never framed).
QString WriteCalendar(const SiteContext& ctx, const QString& pagePath, int year, int month, int kind,
                      int raravDivide, const DayPageMap& map, const QString& targetFrame,
                      const MonthEntries& entries);

}  // namespace HTML1

#pragma once
// The two pages that are shown inside the program and never uploaded: the
// entries of the same day in other years, and the results of a search. They
// borrow the colours and layout of the active design set.
#include <QString>

namespace HTML0 {

// Every entry of the same month and day in any other year (later years too),
// newest first. Reads the database and design set of Shell::state().
// Throws RuntimeError when the database or the file fails.
void MakeSameDayPage(const QString& PagePath, const QString& Day);

// Entries whose body or title holds Keyword (as typed: "%" and "_" are not
// wildcards), optionally within a period (both ends included) and of one
// genre. Returns the number of entries written. A period text that is no
// date throws RuntimeError before anything is written.
int MakeSearchResultPage(const QString& PagePath, const QString& Keyword, bool UsePeriod, const QString& FromDay,
                         const QString& ToDay, bool UseGenre, const QString& Genre);

// The keyword marked in the text of an HTML body, never inside a tag.
QString HighlightKeyword(const QString& html, const QString& keyword);
// "/RaravParts" made to point into the past-log folder, once.
QString PointPartsToLog(const QString& html);

}  // namespace HTML0

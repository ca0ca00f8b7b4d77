#pragma once
// The design preview page "Customize.htm" beside the preview: a real month
// page written by the site generator from the active design set. The program
// installs the generator's month-page operation; without it (tests of the
// windows) no page is written and each call is only counted.
#include <QString>
#include <functional>

namespace DesignPreview {

// Writes the page set of one month ("yyyy/MM") to pagePath as a current-month
// page, without upload list and without private entries. Failures reach the
// caller.
using MonthPageWriter = std::function<void(const QString& pagePath, const QString& month)>;
void setMonthPageWriter(MonthPageWriter writer);

QString pagePath(const QString& dataPath);
// Writes the preview page for the month of the clock, now.
void write(const QString& dataPath);
// The first preview when the customisation window opens: written afresh when
// both it and tmp.htm exist, else made a copy of tmp.htm (or left missing).
void prepare(const QString& dataPath);

// Counts the pages written since start (for the windows' tests).
int writeCount();

// "EVENT:" addresses are the pages' own commands: the navigation is cancelled,
// and "EVENT:CLOSE" (any letter case) closes the preview window.
enum class Navigation { Allow, Cancel, CancelAndClose };
Navigation beforeNavigate(const QString& address);

}  // namespace DesignPreview

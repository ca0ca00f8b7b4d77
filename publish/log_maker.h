#pragma once
// Turning one month of the diary into a past-log page set: the pages in both
// "RaravLog/" folders, queued in "uploadlog.tmp", the month's parts files
// moved beside them, the month recorded in LogDB.
#include <QString>
#include <functional>

namespace Publish {

// The month page generator as the log maker calls it (page path, month
// "yyyy/mm", mode 2, write the upload list, include private entries).
using MonthPageWriter = std::function<void(const QString& PagePath, const QString& MonthPrefix, int Mode,
                                           bool WriteUploadList, bool IncludePrivate)>;

// "" when year and month can name a log month; else the message to show.
QString checkLogMonth(const QString& year, const QString& month);

// True unless exactly one not-logged row names the file.
bool IsFileUsedElsewhere(const QString& FileName);

// The month's name ("yyyy/mm") after a run.
struct LogMade {
    QString LogMonth;
    QString LogFileName;
};

// Makes the log of year/month (checked with checkLogMonth first; throws
// RuntimeError(InvalidArgument) otherwise, before any work). A registered
// file missing from the parts folder is reported per file through the
// prompts layer and its row is left as it was.
LogMade makeLog(const QString& year, const QString& month, const MonthPageWriter& MakeMonthPage);

}  // namespace Publish

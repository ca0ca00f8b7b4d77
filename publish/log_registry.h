#pragma once
// Past-log pages registered by hand: an existing page copied into both
// "RaravLog/" folders and recorded in LogDB for a year and month.
#include <QList>
#include <QString>

namespace Publish {

struct LogRegistration {
    QString LogMonth;
    QString LogFileName;
    QString line() const;  // "LogMonth : LogFileName"
};

// The year box's check: "" when the text passes, else the message.
QString checkLogYear(const QString& text);

// Registers the page; does nothing when any argument is empty. Questions go
// through the prompts layer; a failing copy or database step throws
// RuntimeError, the copies coming before the row.
void ResistLogFile(const QString& iptFileFullPath, const QString& ResistYear, const QString& ResistMonth);
// Newest month first.
QList<LogRegistration> logRegistrations();
// Removes the row of the name (after asking), then offers to delete the
// copies.
void removeLogRegistration(const QString& LogFileName);

}  // namespace Publish

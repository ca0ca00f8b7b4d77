#pragma once
// Groups of entries brought in by the import plug-ins: each distinct
// non-empty Contents.ImportMark is one group. No widgets.
#include <QString>
#include <QStringList>

namespace ImportGroups {

// The group names in descending text order; throws RuntimeError.
QStringList list(const QString& databasePath);
// Deletes every row of the group, whatever its day, and renumbers nothing;
// returns the number of rows deleted. An empty name deletes nothing. Throws
// RuntimeError.
int remove(const QString& databasePath, const QString& group);

}  // namespace ImportGroups

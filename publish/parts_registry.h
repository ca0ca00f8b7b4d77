#pragma once
// Registered parts files (pictures, style sheets): rows of FileDB tied to an
// entry or to every page ("ALL"), sharing one stored copy per file name in
// the data folder's "RaravParts/".
#include <QList>
#include <QString>
#include <QStringList>

namespace Publish {

struct PartRegistration {
    QString Day;
    int Number = 0;
    QString FileName;
    // "Day : n : FileName", the line the registry window lists.
    QString line() const;
};

// Registers the file for the day and entry under its own name. Questions and
// messages go through the prompts layer; a name that is no single file name
// of the parts folder, a failing copy or a database step throws RuntimeError,
// and the copy comes before the row.
void ResistFile(const QString& iptFileFullPath, const QString& ResistDay, int ResistDayNumber);
// The same under another name for the stored copy and the row.
void ResistFile2(const QString& iptFileFullPath, const QString& renamedFileName, const QString& ResistDay,
                 int ResistDayNumber);

// "" when a registered name is a bare file name of the parts folders; else
// why not. Rows written by another program may hold a path ("../x.gif"),
// which must reach no file outside those folders.
QString partNameRefusal(const QString& name);

// "ALL", then "yyyy/mm/dd : n" for every entry, newest day first.
QStringList registeredDays();
QList<PartRegistration> partRegistrations();
// Removes the registration; asks before deleting a stored copy no row uses.
void removePartRegistration(const PartRegistration& registration);

}  // namespace Publish

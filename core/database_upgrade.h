#pragma once
// The rebuild of a user's rarav.mdb into a fresh copy of the template
// default.mdb: older layouts are carried into the current one, and a current
// database comes out compacted. No widgets: the window that shows the log and
// the progress is reached through UpgradeProgress.
#include <QString>

namespace DatabaseUpgrade {

// What the rebuild reports while it runs.
class UpgradeProgress {
public:
    virtual ~UpgradeProgress() = default;
    virtual void log(const QString& line) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
};

// The folders the rebuild works in, each ending in "/".
struct UpgradeFolders {
    QString userPath;  // rarav.mdb, old.mdb, new.mdb, diarymdb.bak
    QString myPath;    // default.mdb
    QString dataPath;  // Customize/ text blocks of the oldest layouts
    static UpgradeFolders fromState();
};

inline const QString kDatabaseFile = QStringLiteral("rarav.mdb");
inline const QString kBackupFile = QStringLiteral("diarymdb.bak");
inline const QString kOldFile = QStringLiteral("old.mdb");
inline const QString kNewFile = QStringLiteral("new.mdb");
inline const QString kTemplateFile = QStringLiteral("default.mdb");

// Copies rarav.mdb to diarymdb.bak, replacing an older backup. Any journal
// SQLite left beside the file is settled first, so that the copy holds every
// committed change. Throws RuntimeError, leaving the backup as it was, when
// rarav.mdb is not a whole, readable database or the copy cannot be made.
void BackupDatabase(const QString& userPath);

// Rebuilds userPath/rarav.mdb from myPath/default.mdb, reading the old file
// as the layout of `version` says. The new file replaces rarav.mdb by one
// rename once it is complete. On any failure rarav.mdb is left exactly as it
// was, old.mdb and new.mdb are removed, and RuntimeError says what failed.
void UpgradeDatabase(int version, UpgradeProgress& progress, const UpgradeFolders& folders);
void UpgradeDatabase(int version, UpgradeProgress& progress);

// True while a rebuild runs (the event loop is served between rows).
bool isUpgrading();

// A stored day in the "yyyy/mm/dd" form that month selections rely on; text
// that is no day at all is kept as it stands.
QString normalizedDay(const QString& day);

}  // namespace DatabaseUpgrade

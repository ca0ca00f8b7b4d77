#pragma once
// Applying the downloaded archive to the program folder: choose the archive,
// back up the program, extract, restore the backup on failure, and mark the
// update as done. No widgets: the window passes its log and its check box.
#include <QString>
#include <functional>

namespace Updater {

inline const QString kProgram = QStringLiteral("Rarav");
inline const QString kBackup = QStringLiteral("Rarav.bak");
inline const QString kApplicationTitle = QStringLiteral("QuillbyUpdater");

struct Job {
    QString mode;  // "Full" or "Patch"
    QString archive;  // file name in the program folder
    QString currentVersion;
    QString newVersion;
};

// The archive to apply, chosen from update.txt: the full release when its
// archive is present, else the patch when present and the running version is
// not older than it requires. False after telling the user why not.
bool chooseJob(const QString& myPath, Job& job);

// The whole run after the controls were locked. Appends every step to log and
// lets pending events run where the user should see progress. True when the
// archive was extracted and the update marked as done; false after telling
// the user why not (a backup that cannot be written among them); throws
// RuntimeError when the program could not be restored from its backup. The
// run holds the program folder's lock ("Rarav.lock"), waiting for the main
// program to end first, and begins by undoing or finishing an update that
// an earlier run left part-way.
bool applyUpdate(const QString& myPath, bool deleteArchive, const std::function<void(const QString&)>& log);
// How long a run waits for the main program to release the program folder's
// lock before it gives up (30 s; tests shorten it).
void setLockWait(int milliseconds);

// Where the updater records its own version: the per-user settings folder,
// the Linux place of a settings file named without a folder.
QString versionIniFile();
void recordOwnVersion();

}  // namespace Updater

#pragma once
// The record of an update being put in place, kept on disk in the update's
// work folder beside the program folder, so that an update that was killed
// part-way is undone (or, once every file was in place, finished) at the
// next start of the updater or of the program.
#include <QString>

namespace UpdateJournal {

// A template for QTemporaryDir: "<parent>/.<folder name>-update-XXXXXX" of
// the folder the program folder's links lead to, on the same file system as
// its files, under no name an archive entry could have.
QString workFolderTemplate(const QString& programFolder);

// Where the files of an update wait: "new/" holds the extracted files,
// "old/" the replaced ones, each under its path relative to the program folder.
inline QString stagedPath(const QString& workFolder, const QString& relative) {
    return workFolder + QStringLiteral("new/") + relative;
}
inline QString savedPath(const QString& workFolder, const QString& relative) {
    return workFolder + QStringLiteral("old/") + relative;
}

// Each step is recorded before it is taken, so that the record never misses
// a change; undoing a step that was not taken changes nothing.
class Writer {
public:
    Writer() = default;
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // workFolder ends in "/".
    bool open(const QString& workFolder);
    bool newFolder(const QString& relative);
    bool newFile(const QString& relative);
    bool replaced(const QString& relative);  // the old file kept at savedPath()
    // Every file is in place: from here on the update is finished, never undone.
    bool commit();

private:
    bool append(char kind, const QString& relative);
    int fd_ = -1;
};

// Undoes the recorded steps of workFolder, last first: replaced files are
// put back and new files and folders removed. False when something could
// not be put back (the old files then stay in the work folder).
bool undo(const QString& workFolder, const QString& programFolder);

struct Recovery {
    enum Outcome { Nothing, Undone, Finished, NotRestored } outcome = Nothing;
    QString keptIn;  // with NotRestored: the folder holding the old files
};
// Looks for work folders that an earlier run left beside programFolder:
// undoes an update that was not committed, marks a committed one as done in
// update.txt, and removes the work folder. Call it only while holding the
// program folder's lock, so that no running update is touched.
Recovery recover(const QString& programFolder);

}  // namespace UpdateJournal

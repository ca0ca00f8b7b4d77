#pragma once
// Extraction of the update archives (LHA, ".lzh") into the program folder.
#include <QString>

namespace LhaArchive {

enum Result : int {
    Extracted = 0,
    CannotOpen = 1,
    NotAnArchive = 2,   // no entry could be read
    UnsafeEntry = 3,    // an absolute path, "..", or a symbolic link
    BadData = 4,        // a checksum or decoding failure
    CannotWrite = 5,
    UnknownMethod = 6,  // a compression method update archives do not use
    NotRestored = 7,    // a failure, and some replaced files could not be put back
};

// What a failed extraction leaves for the user to read.
struct Report {
    QString reason;  // why, with the file and the system's words where there are some
    QString keptIn;  // with NotRestored: the folder holding the files not put back
};

// Extracts every entry with its relative folder into folder, replacing files
// that exist ("e archive folder -y"), all or nothing. The headers are read
// first, and an unsafe name or a method other than -lh0-, -lh5-, -lh6-,
// -lh7- and folders refuses the archive before anything is decoded. The
// archive is then extracted into a work folder beside folder through checked
// writes, each file's length and checksum compared with its header and the
// whole synced to disk, before a single file is put in place by a rename.
// Every step of the placing is recorded on disk first (UpdateJournal), so
// that a failure, or the next start after a kill, puts back every replaced
// file and removes every new one. Added files get 0755 when they are
// programs, else 0644; a replaced file keeps its mode unless the archive
// carries one. Returns Extracted (0) or the reason of the failure, told in
// *report.
int extract(const QString& archivePath, const QString& folder, Report* report = nullptr);

// Called after each step of the placing with the count of steps so far, and
// once more after the commit: tests stop the process there, as a kill would.
void setStepHook(void (*hook)(int steps));

}  // namespace LhaArchive

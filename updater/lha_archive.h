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

// Extracts every entry with its relative folder into folder, replacing files
// that exist ("e archive folder -y"), all or nothing. The headers are read
// first, and an unsafe name or a method other than -lh0-, -lh5-, -lh6-,
// -lh7- and folders refuses the archive before anything is decoded. The
// archive is then extracted into a work folder beside folder (checking every
// checksum) and the files are put in place by renames; when one cannot be,
// every file already replaced is put back and every new one removed. Returns
// Extracted (0) or the reason of the failure. With NotRestored the files that
// could not be put back stay in *keptIn, which the caller must name to the
// user.
int extract(const QString& archivePath, const QString& folder, QString* keptIn = nullptr);

}  // namespace LhaArchive

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
};

// Extracts every entry with its relative folder into folder, replacing files
// that exist ("e archive folder -y"). The whole archive is read and checked
// before the first file is written, so a damaged or hostile archive changes
// nothing; each file is then written beside its target and renamed over it.
// Returns Extracted (0) or the reason of the failure.
int extract(const QString& archivePath, const QString& folder);

}  // namespace LhaArchive

#pragma once
// Design sets written out to a file of the user's choice and read back in:
// a backup copy ("INI", the set file unchanged) or a distribution copy
// ("CST", the settings that belong to one user's site emptied). Both carry an
// [Author] section.
#include <QString>

namespace ExchangeFile {

// Asks for a file and copies it beside the active set. False when cancelled,
// when the name clash is not resolved, or when the file is refused or cannot
// be copied (the user has been told why); nothing is written then.
bool ImportCustomizeFile();

// kind is "INI" or "CST" (anything else: no filter, no extension, no keys
// emptied). False when cancelled, when overwriting was refused, or when the
// set is missing or the file cannot be written (the user has been told).
bool ExportCustomizeFile(const QString& setName, const QString& kind, const QString& authorName,
                         const QString& authorURL, const QString& authorEmail);

// Why a file cannot be taken in as a design set, ready to show; "" when it
// can. A design set is text in sections, at least one of them a section of
// the design.
QString problemOf(const QString& path);

// The name an imported file lands under in the set folder.
QString importedName(const QString& chosenPath, const QString& kind);

}  // namespace ExchangeFile

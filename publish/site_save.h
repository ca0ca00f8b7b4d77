#pragma once
// Saving the current month's site into the site folder, and the preview page.
#include "core/shared_state.h"

#include <QString>

namespace SiteSave {

// The top page's name as saved: ".htm" added unless it ends in ".htm" or
// ".html" (in any case, so "INDEX.HTM" stays as chosen).
QString htmlFileName(const QString& name);

// Writes Today's month into FilePath + FileName with upload.tmp, copies the
// registered parts files the site folder lacks into its RaravParts/, and
// records the target in rarav.ini. Throws RuntimeError, before writing
// anything when FilePath is the browser pages' folder; rarav.ini is then
// left as it was.
void SaveHTMLFiles(Shell::SharedState& s);

// Asks for the site folder and top page and sets FilePath and FileName.
// False when cancelled (nothing changes then); throws RuntimeError, changing
// nothing, when the chosen folder is one a site may not be saved in.
bool chooseSiteFile(Shell::SharedState& s);
// chooseSiteFile, then SaveHTMLFiles. False when cancelled.
bool MnuSaveHTMLAS_Click(Shell::SharedState& s);

// Rewrites "tmp.htm" of the browser pages' folder for EnterDay's month,
// private entries included. Failures are ignored: the preview is a convenience and its
// callers show whatever is there.
void SaveTmpFile(const Shell::SharedState& s);

// Copies DataPath/RaravParts/<name> to FilePath/RaravParts/<name> for every
// FileDB row of the month, then every row; a file already in the site
// folder is never replaced and a missing source is passed over.
void copyPartsFiles(const Shell::SharedState& s, const QString& month);

}  // namespace SiteSave

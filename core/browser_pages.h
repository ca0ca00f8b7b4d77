#pragma once
// Pages written only for the built-in browser (the preview "tmp.htm", the
// design preview, the same-day page and search results) live in a folder of
// their own below the data folder. The preview holds private entries and,
// with one page a day, writes the same page names as the site; the data
// folder is where a new user's site is saved and uploaded from, so these
// pages never go there.
#include <QString>

namespace BrowserPages {

// dataPath + "Preview/".
QString folder(const QString& dataPath);
// A page of that folder for the data folder of Shell::state().
QString page(const QString& name);

// Makes the folder, with "RaravParts" and "RaravLog" in it linked to the data
// folder's, so that the pages' relative addresses of pictures and past logs
// resolve as they do in the site. False when the data folder is missing or
// the folder cannot be made.
bool prepare(const QString& dataPath);

// True when folder is the browser pages' folder of dataPath: the site is
// never saved there.
bool isFolderOf(const QString& folder, const QString& dataPath);

}  // namespace BrowserPages

#pragma once
// The steps of start-up and shut-down that need no window: folders, seeding
// from the shipped files, the settings-file paths, plug-in detection. The
// main window runs them in order and asks the user where a step needs it.
#include "core/program_files.h"
#include "core/shared_state.h"

#include <QString>
#include <QStringList>

namespace Startup {

bool isMultiUser(const QString& myPath);

// Single user: UserData/ with rarav.ini and rarav.mdb seeded where missing
// (a copy lying in the program folder first, else the shipped template).
// Returns false when a needed file could not be created.
bool setUpSingleUser(Shell::SharedState& s);
// A logged-in user: the user folder, and the same seeding as single-user
// start-up where the user's folder lacks the files.
bool setUpUser(Shell::SharedState& s, const QString& userId);

// [ALL] DataPath, SaveFilePath and SaveFileName into the state.
void readFolderValues(Shell::SharedState& s);
// A data folder start-up can use: non-empty, not the root, an existing folder.
bool isValidDataFolder(const QString& dataPath);
// Records a folder the user chose: in memory with "/", in the file as chosen.
// False when the settings file could not be written.
bool setDataFolder(Shell::SharedState& s, const QString& chosen);

// Before a rebuild of an old database: the design folder and four of the five
// settings-file keys.
void prepareCustomizeForRebuild(const Shell::SharedState& s);

// RaravParts/, RaravLog/, Customize/, ExportFormat/ with their shipped files.
void makeDataFolders(const Shell::SharedState& s);
// Blog descriptions *.blg of the program folder into BlogTemplate/ as .ini,
// replacing copies older than the shipped file.
void refreshBlogTemplates(const Shell::SharedState& s);
void copyWeatherIcons(const Shell::SharedState& s);
// The five settings-file paths; empty or dangling values get the default,
// which is written back.
void fixSettingsFilePaths(Shell::SharedState& s);

struct Plugins {
    bool brindle = false, fescue = false, tambour = false, quillbyInfo = false;
};
Plugins detectPlugins(const QString& myPath);
// [Zettik] Path and whether the memo tool is there.
void detectMemoTool(Shell::SharedState& s);
// The updater menu item: update.txt present and its update not yet applied.
bool updaterMenuEnabled(const QString& myPath);
// An update that was killed part-way is undone, or finished when every file
// was already in place, and the user told when it did not take or could not
// be undone. Called while holding the program folder's lock.
void finishInterruptedUpdate(const QString& myPath);

// Shut-down in multi-user mode: the pages and feeds of the browser pages'
// folder are removed, and the other pages written for the browser that
// otherPages names. The data folder's own pages stay: a new user's site is
// saved there, and a folder chosen as the data folder may hold pages of the
// user's own.
void removeGeneratedPages(const QString& dataPath, const QStringList& otherPages = {});

}  // namespace Startup

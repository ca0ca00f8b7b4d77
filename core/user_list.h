#pragma once
// The user list "quillbyuser.ini" in the program folder. Its existence alone
// makes start-up ask for a login. A section is a user only when its ID key
// repeats the section name exactly, letter case included.
#include "core/program_files.h"

#include <QString>
#include <QStringList>

namespace UserList {
// Against the user list of the running program's folder.
bool CheckLogin(const QString& user, const QString& password);
bool UserExists(const QString& user);

inline const QString& kFileName = ProgramFiles::kUserList;
QString fileIn(const QString& myPath);

bool checkLogin(const QString& listFile, const QString& user, const QString& password);
bool userExists(const QString& listFile, const QString& user);
// Users in the order of their sections; "Previous" is never one.
QStringList users(const QString& listFile);

QString previousId(const QString& listFile);
void setPreviousId(const QString& listFile, const QString& user);

// The user's folder with "/": the stored Path, else the program folder's
// sub-folder of the user's name.
QString userFolder(const QString& myPath, const QString& user);

bool addId(const QString& listFile, const QString& user);
void withdrawId(const QString& listFile, const QString& user);
bool setPassword(const QString& listFile, const QString& user, const QString& password);
// Removes ID and Pass; the section keeps its Path.
bool removeUser(const QString& listFile, const QString& user);
bool setUserFolder(const QString& listFile, const QString& user, const QString& folder);

// "" when a new user of this name may be made, with the program folder's
// sub-folder of the name as its folder; otherwise the message that says why
// not: the list holds a section of the name in another letter case, or that
// folder is the program folder's own (the single-user data folder among
// them), the data folder in use or one of its sub-folders, or another user's
// folder.
QString newUserRefusal(const QString& myPath, const QString& dataPath, const QString& name);
// "" when the single-user data may be moved into folder; otherwise why not:
// the folder is where that data lies, and the move would replace what it
// copies from.
QString singleUserMoveRefusal(const QString& myPath, const QString& folder);

// The single-user data (UserData/ first, else the program folder) copied into
// the user folder, each file backed up as "_BackUp" first; a file with no
// source to copy in is left alone. Then the user's rarav.ini points its data
// folder and four design files at the user folder. False when a copy or write
// failed or singleUserMoveRefusal refuses the folder; the backups are taken
// before anything is replaced.
bool moveSingleUserData(const QString& myPath, const QString& userFolder);

}  // namespace UserList

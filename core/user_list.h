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

// The single-user data (UserData/ first, else the program folder) copied into
// the user folder, each file backed up as "_BackUp" first; a file with no
// source to copy in is left alone. Then the user's rarav.ini points its data
// folder and four design files at the user folder. False when a copy or write
// failed; the backups are taken before anything is replaced.
bool moveSingleUserData(const QString& myPath, const QString& userFolder);

}  // namespace UserList

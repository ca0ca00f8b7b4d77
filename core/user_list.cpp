#include "core/user_list.h"

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/program_folder.h"
#include "platform/runtime_error.h"
#include "core/database_file.h"
#include "core/file_names.h"
#include "core/pub_encrypt.h"
#include "core/shared_state.h"

#include <QDir>
#include <QFileInfo>

using ProgramFolder::withSlash;

namespace {
const QString kId = QStringLiteral("ID");
const QString kPass = QStringLiteral("Pass");
const QString kPath = QStringLiteral("Path");
const QString kPrevious = QStringLiteral("Previous");

// Backs up and replaces one file of the user folder when a source exists.
// The copy replaces the file in one step, without removing it first: a
// failed copy leaves it, and a symbolic link in its place stays and has the
// file it points to replaced.
// A database is copied whole: what another client left in its write-ahead
// log is folded into it first, and the log of the file replaced goes, lest
// SQLite play it into the copy.
bool replaceFromSingleUser(const QString& myPath, const QString& folder, const QString& name,
                           const QString& backupName, bool database = false) {
    QString source = myPath + QStringLiteral("UserData/") + name;
    if (!Files::exists(source)) source = myPath + name;
    if (!Files::exists(source)) return true;
    const QString target = folder + name;
    try {
        if (database) DatabaseFile::settle(source);
        if (Files::exists(target)) {
            const QString backup = folder + backupName;
            if (database) DatabaseFile::settle(target);
            if (Files::exists(backup) && !Files::removeFile(backup)) return false;
            if (!Files::copyFile(target, backup)) return false;
        }
    } catch (const RuntimeError&) {
        return false;
    }
    if (database) DatabaseFile::removeLeftLogs(target);
    return Files::copyFile(source, target);
}
// The same folder, also through a symbolic link.
bool sameFolder(const QString& a, const QString& b) {
    const auto canonical = [](const QString& path) {
        const QFileInfo info(path);
        const QString real = info.canonicalFilePath();
        return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
    };
    return !a.isEmpty() && !b.isEmpty() && canonical(a) == canonical(b);
}

// A folder and the sub-folders the program keeps its own files in.
QStringList withOwnSubFolders(const QString& folder) {
    QStringList out{folder};
    for (const char* sub : {"Customize", "RaravParts", "RaravLog", "Preview", "BlogTemplate", "ExportFormat"})
        out << folder + QLatin1String(sub);
    return out;
}

QString inUse(const QString& folder) {
    return QStringLiteral("そのユーザーのフォルダ（%1）はQuillbyが使っているフォルダなので、使えません。").arg(folder);
}

}  // namespace

namespace UserList {

QString newUserRefusal(const QString& myPath, const QString& dataPath, const QString& name) {
    const QString list = fileIn(myPath);
    // Sections are found without regard to case: the new name's keys would
    // be written into the other name's section, over that user's account.
    for (const QString& section : Profile::sectionNames(list))
        if (section != name && section.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("ユーザー「%1」と大文字・小文字だけが違う名前なので、使えません。").arg(section);
    const QString folder = myPath + name + QLatin1Char('/');
    if (FileNames::isProgramFile(name)) return inUse(folder);
    QStringList taken = withOwnSubFolders(myPath) + withOwnSubFolders(myPath + QStringLiteral("UserData/"));
    if (!dataPath.isEmpty()) taken += withOwnSubFolders(withSlash(dataPath));
    for (const QString& f : std::as_const(taken))
        if (sameFolder(folder, f)) return inUse(folder);
    for (const QString& user : users(list))
        if (user != name && sameFolder(folder, userFolder(myPath, user)))
            return QStringLiteral("そのユーザーのフォルダ（%1）はユーザー「%2」のフォルダなので、使えません。").arg(folder, user);
    return {};
}

QString singleUserMoveRefusal(const QString& myPath, const QString& folder) {
    for (const QString& source : {myPath, myPath + QStringLiteral("UserData/")})
        if (sameFolder(folder, source))
            return QStringLiteral("そのユーザーのフォルダ（%1）はシングルユーザー時のデータのフォルダなので、データを移行できません。")
                .arg(withSlash(folder));
    return {};
}

bool CheckLogin(const QString& user, const QString& password) {
    return UserList::checkLogin(UserList::fileIn(Shell::state().MyPath), user, password);
}
bool UserExists(const QString& user) { return UserList::userExists(UserList::fileIn(Shell::state().MyPath), user); }

QString fileIn(const QString& myPath) { return myPath + kFileName; }

bool checkLogin(const QString& listFile, const QString& user, const QString& password) {
    const QString id = Profile::readString(listFile, user, kId);
    const QString pass = Profile::readString(listFile, user, kPass);
    // The section lookup ignores case, so the name must also be a listed user:
    // [Hanako] with ID=hanako is no one's account.
    return PubEncrypt::DecryptString(pass) == password && id == user && users(listFile).contains(user);
}

bool userExists(const QString& listFile, const QString& user) {
    return Profile::readString(listFile, user, kId) == user;
}

QStringList users(const QString& listFile) {
    QStringList out;
    for (const QString& name : Profile::sectionNames(listFile)) {
        if (name.isEmpty() || name == kPrevious) continue;
        if (Profile::readString(listFile, name, kId) == name) out << name;
    }
    return out;
}

QString previousId(const QString& listFile) { return Profile::readString(listFile, kPrevious, kId); }
void setPreviousId(const QString& listFile, const QString& user) {
    Profile::writeString(listFile, kPrevious, kId, user);
}

QString userFolder(const QString& myPath, const QString& user) {
    return withSlash(Profile::readString(fileIn(myPath), user, kPath, myPath + user + QLatin1Char('/')));
}

bool addId(const QString& listFile, const QString& user) { return Profile::writeString(listFile, user, kId, user); }
void withdrawId(const QString& listFile, const QString& user) { Profile::deleteKey(listFile, user, kId); }

bool setPassword(const QString& listFile, const QString& user, const QString& password) {
    return Profile::writeString(listFile, user, kPass, PubEncrypt::EncryptString(password));
}

bool removeUser(const QString& listFile, const QString& user) {
    return Profile::deleteKey(listFile, user, kId) && Profile::deleteKey(listFile, user, kPass);
}

bool setUserFolder(const QString& listFile, const QString& user, const QString& folder) {
    return Profile::writeString(listFile, user, kPath, withSlash(folder));
}

bool moveSingleUserData(const QString& myPath, const QString& userFolder) {
    const QString d = withSlash(userFolder);
    if (!singleUserMoveRefusal(myPath, d).isEmpty() || !Files::makeFolder(d)) return false;
    if (!replaceFromSingleUser(myPath, d, QStringLiteral("rarav.ini"), QStringLiteral("rarav_BackUp.ini")))
        return false;
    if (!replaceFromSingleUser(myPath, d, QStringLiteral("rarav.mdb"), QStringLiteral("rarav_BackUp.mdb"), true))
        return false;
    const QString ini = d + QStringLiteral("rarav.ini");
    return Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("DataPath"), d) &&
           Profile::writeString(ini, QStringLiteral("Customize"), QStringLiteral("IniFileName"),
                                d + QStringLiteral("Customize/Customize.ini")) &&
           Profile::writeString(ini, QStringLiteral("Frame"), QStringLiteral("IniFileName"),
                                d + QStringLiteral("Frame.ini")) &&
           Profile::writeString(ini, QStringLiteral("HaloScan"), QStringLiteral("IniFileName"),
                                d + QStringLiteral("HaloScan.ini")) &&
           Profile::writeString(ini, QStringLiteral("Blog"), QStringLiteral("IniFileName"),
                                d + QStringLiteral("Blog.ini"));
}

}  // namespace UserList

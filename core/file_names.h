#pragma once
// The one check for a name that a user typed or a downloaded file gave before
// it becomes a file inside a folder: it must stay a single name in that folder
// and, in the program folder, must not replace one of the program's own files.
#include <QString>

namespace FileNames {

// True when name is one name directly inside a folder: not empty, no "/" or
// "\\", not "." or "..", no control character. The test for names read in
// bulk (a page's parts, a set's text blocks), in folders that are never the
// program folder; refusal() gives the message.
bool isSingleName(const QString& name);
// "" when name may be a file directly inside folder; otherwise the message
// that tells the user why not.
QString refusal(const QString& name, const QString& folder);
inline bool isAcceptable(const QString& name, const QString& folder) { return refusal(name, folder).isEmpty(); }
// The same for a name that always goes into the program folder, whichever
// folder the running program's state names (the updater has its own).
QString programFolderRefusal(const QString& name);

// "" when the name reaches the server as it is (remote names go in CP932);
// otherwise the message that names the characters it cannot carry.
QString remoteNameRefusal(const QString& name);

// The files and folders of the program folder that the program itself owns,
// compared without regard to letter case.
bool isProgramFile(const QString& name);

}  // namespace FileNames

#pragma once
// Checking, creating and entering folders on the server during an upload.
#include <QString>
#include <functional>

namespace Internet {
class FtpConnection;
}

namespace Publish {

using StatusFn = std::function<void(const QString&)>;

// True when FolderName exists in the server's current folder or was created
// after the user agreed; asks and reports in message boxes.
bool CheckFtpFolder(const QString& FolderName, Internet::FtpConnection& ftp, const StatusFn& status);
// Enters FolderName; CurrentPath only shapes the status texts.
bool ChangeFtpDirectory(const QString& CurrentPath, const QString& FolderName, Internet::FtpConnection& ftp,
                        const StatusFn& status);

}  // namespace Publish

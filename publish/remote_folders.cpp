#include "publish/remote_folders.h"

#include "platform/internet.h"
#include "platform/prompts.h"
#include "publish/internet_error_text.h"

namespace Publish {

namespace {

const QString kBusyAdvice = QStringLiteral("サーバーが混んでいる可能性もありますので、時間帯を変更してお試し下さい。");

void report(const StatusFn& status, const QString& text) {
    if (status) status(text);
}

QString errorTextOf(const Internet::FtpConnection& ftp) {
    return modWinInet::errorText(ftp.lastError(), ftp.lastResponse());
}

}  // namespace

bool CheckFtpFolder(const QString& FolderName, Internet::FtpConnection& ftp, const StatusFn& status) {
    using namespace Prompts;
    report(status, QStringLiteral("Checking Folder \"") + FolderName + QStringLiteral("\" !"));
    if (ftp.findFirst(FolderName)) return true;
    if (ftp.lastError() != Internet::Error::NoMoreFiles) {
        const QString text = errorTextOf(ftp);
        report(status, text);
        MsgBox(text, vbCritical);
        return false;
    }
    // An empty folder lists nothing, just like a missing one; asking to
    // create it would only end in a failing MKD on every upload.
    if (ftp.folderExists(FolderName)) return true;
    if (MsgBox(QStringLiteral("フォルダ「") + FolderName + QStringLiteral("」が作成されていません。\r\n作成しますか？"),
               vbYesNo) != vbYes) {
        MsgBox(QStringLiteral("フォルダは作成しませんでした。\r\n日記保存先に「") + FolderName +
                   QStringLiteral("」フォルダをご自分で作成して下さい。"),
               vbInformation);
        return false;
    }
    if (!ftp.createDirectory(FolderName)) {
        report(status, errorTextOf(ftp));
        MsgBox(QStringLiteral("フォルダの作成に失敗しました。\r\n") + kBusyAdvice, vbCritical);
        return false;
    }
    report(status, QStringLiteral("Making Folder Successful!"));
    return true;
}

bool ChangeFtpDirectory(const QString& CurrentPath, const QString& FolderName, Internet::FtpConnection& ftp,
                        const StatusFn& status) {
    using namespace Prompts;
    const QString shown = FolderName == QLatin1String("..")
                              ? CurrentPath.left(CurrentPath.lastIndexOf(QLatin1Char('/')) + 1)
                              : CurrentPath + FolderName;
    report(status, QStringLiteral("Moving to ") + shown);
    if (!ftp.setCurrentDirectory(FolderName)) {
        report(status, errorTextOf(ftp));
        MsgBox(QStringLiteral("ディレクトリ変更ができませんでした。\r\n") + kBusyAdvice, vbCritical);
        return false;
    }
    report(status, QStringLiteral("Change Directory ") + shown + QStringLiteral(" is Completed!"));
    return true;
}

}  // namespace Publish

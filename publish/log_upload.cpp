// The upload's last step: the pending past-log pages of "uploadlog.tmp" and
// the parts files they use.
#include "platform/database.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "publish/ftp_upload.h"
#include "publish/remote_folders.h"
#include "publish/upload_list_reader.h"
#include "core/file_names.h"
#include "core/ini_file.h"

#include <QFileInfo>
#include <QSet>

namespace Publish {

bool FtpUpload::uploadLogPages() {
    const QString& SF = settings_.StartFolder;
    const StatusFn st = folderStatus();
    const QString logList = userPath_ + QStringLiteral("uploadlog.tmp");

    title(QStringLiteral("ログ：RaravLogディレクトリへの移動"));
    text(SF + QStringLiteral("\\RaravLogへ移動中"));
    yield();
    if (!CheckFtpFolder(QStringLiteral("RaravLog"), *ftp_, st) ||
        !ChangeFtpDirectory(remotePath(), QStringLiteral("RaravLog"), *ftp_, st)) {
        text(SF + QStringLiteral("\\RaravLogへ移動失敗"));
        repaint();
        return false;
    }
    text(SF + QStringLiteral("\\RaravLogへ移動完了"));
    yield();

    const QList<UploadLine> lines = QFileInfo::exists(logList) ? readUploadList(logList) : QList<UploadLine>();
    const QString of = QStringLiteral("/%1)").arg(logCount_);
    int i = 0;
    title(QStringLiteral("ログ：ファイルのアップロード"));
    progress_.setMaximum(qMax(1, logCount_));
    progress_.setValue(0);
    repaint();
    // A page is replaced by putting it again: deleting it first would leave
    // the server without it when the put then fails.
    for (const UploadLine& line : lines) {
        text(QStringLiteral("ファイル「") + line.name + QStringLiteral("」をアップロードします。"));
        yield();
        if (!ftp_->putFile(line.localPath(), line.name, Internet::TransferType::Ascii)) {
            status(noteReason());
            return false;
        }
        progress_.setValue(++i);
        text(QStringLiteral("ファイル「") + line.name + QStringLiteral("」のアップロードに成功しました。(") +
             QString::number(i) + of);
        yield();
        status(QStringLiteral("Upload \"") + line.name + QStringLiteral("\" is Succeeded!"));
    }

    const QString localFolder =
        (lines.isEmpty() ? dataLogFolder() : lines.last().folder) + QStringLiteral("RaravParts/");
    const QList<Part> rows = pendingParts(true);
    const QStringList shared = sharedLogParts(localFolder, rows);
    if (!rows.isEmpty() || !shared.isEmpty()) {
        if (!putLogParts(rows, shared, localFolder)) return false;
    }
    if (!Files::removeFile(logList) && QFileInfo::exists(logList))
        throw RuntimeError(ErrorNumber::PermissionDenied, logList);
    return true;
}

QString FtpUpload::dataLogFolder() const { return dataPath_ + QStringLiteral("RaravLog/"); }

// Files that the log pages use but that stay registered for pages not yet
// logged (site-wide files, files shared with other months): the log maker
// copies them beside the log pages without marking them, so they are sent
// here when the server's log folder lacks them.
QStringList FtpUpload::sharedLogParts(const QString& localFolder, const QList<Part>& rows) const {
    QSet<QString> taken;
    for (const Part& p : rows) taken.insert(p.name);
    Database db(databasePath_);
    const Recordset rs = db.query(QStringLiteral("SELECT DISTINCT FileName FROM FileDB WHERE Logged=0 ORDER BY FileName"));
    QStringList names;
    for (qsizetype r = 0; r < rs.size(); ++r) {
        const QString name = IniFile::TrimNull(rs.text(r, QStringLiteral("FileName")));
        if (!FileNames::isSingleName(name) || taken.contains(name) || !QFileInfo::exists(localFolder + name))
            continue;
        taken.insert(name);
        names << name;
    }
    return names;
}

bool FtpUpload::putLogParts(const QList<Part>& rows, const QStringList& shared, const QString& localFolder) {
    const QString& SF = settings_.StartFolder;
    const StatusFn st = folderStatus();
    title(QStringLiteral("ログ：RaravPartsディレクトリへの移動"));
    text(SF + QStringLiteral("\\RaravLog\\RaravPartsへ移動中"));
    yield();
    if (!CheckFtpFolder(QStringLiteral("RaravParts"), *ftp_, st) ||
        !ChangeFtpDirectory(remotePath() + QStringLiteral("RaravLog/"), QStringLiteral("RaravParts"), *ftp_, st)) {
        text(SF + QStringLiteral("\\RaravLog\\RaravPartsへ移動失敗"));
        repaint();
        return false;
    }
    text(SF + QStringLiteral("\\RaravLog\\RaravPartsへ移動完了"));
    yield();
    text(SF + QStringLiteral("\\RaravLogへ移動中"));
    title(QStringLiteral("ログ：ファイルのアップロード"));

    auto put = [&](const QString& name, int i, int n, qint64 id) {
        status(QStringLiteral("Uploading ") + name);
        if (!ftp_->putFile(localFolder + name, name, Internet::TransferType::Binary)) {
            title(QStringLiteral("エラー"));
            text(QStringLiteral("ファイル「") + name +
                 QStringLiteral("」のアップロードに失敗。\r\nサーバーが混んでいる可能性もありますので、時間帯を変更してお試し下さい。"));
            repaint();
            status(noteReason());
            return false;
        }
        // Noted before the yield below, which may wait on a box for long.
        if (id >= 0) markUploaded({id, name});
        progress_.setValue(i);
        text(QStringLiteral("ファイル「") + name + QStringLiteral("」のアップロードに成功しました。(") +
             QString::number(i) + QStringLiteral("/%1)").arg(n));
        yield();
        status(QStringLiteral("Upload Successful!"));
        return true;
    };

    int i = 0;
    progress_.setMaximum(qMax(1, int(rows.size())));
    progress_.setValue(0);
    repaint();
    for (const Part& part : rows)
        if (!put(part.name, ++i, int(rows.size()), part.id)) return false;
    // Shared files go up only when the server lacks them, so a file used by
    // many months is sent once.
    QStringList missing;
    if (!shared.isEmpty()) {
        QStringList present;
        if (!ftp_->listNames(present))
            return failWith(QStringLiteral("エラー"),
                            QStringLiteral("その他のエラー(FileUpload)。\r\n(") + errorText() + QStringLiteral(")"));
        const QSet<QString> onServer(present.cbegin(), present.cend());
        for (const QString& name : shared)
            if (!onServer.contains(name)) missing << name;
    }
    i = 0;
    if (!missing.isEmpty()) progress_.setMaximum(int(missing.size()));
    for (const QString& name : missing)
        if (!put(name, ++i, int(missing.size()), -1)) return false;
    return true;
}

}  // namespace Publish

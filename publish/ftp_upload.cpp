#include "publish/ftp_upload.h"

#include "platform/codepage.h"
#include "platform/database.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/internet_error_text.h"
#include "publish/remote_folders.h"
#include "publish/upload_list_reader.h"
#include "core/ini_file.h"
#include "core/pub_encrypt.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"

#include <QElapsedTimer>
#include <algorithm>
#include <QFileInfo>
#include <QSet>

using ProgramFolder::withSlash;

namespace Publish {

namespace {

bool gRunning = false;
// Parts files registered again during the running upload.
QSet<QString> gRegisteredAgain;

struct RunningFlag {
    RunningFlag() { gRunning = true; }
    ~RunningFlag() { gRunning = false; }
};

const QString kFailedLine = QStringLiteral("\r\n不明なエラーで終了しました。");

}  // namespace

QString DecryptPassword(const QString& text) { return PubEncrypt::DecryptString(text); }

FtpSettings FtpSettings::read(const QString& iniFile) {
    FtpSettings s;
    s.ID = RaravIni::read(iniFile, RaravIni::FtpID);
    s.Pass = DecryptPassword(RaravIni::read(iniFile, RaravIni::FtpPass));
    s.URL = RaravIni::read(iniFile, RaravIni::FtpURL);
    s.StartFolder = RaravIni::read(iniFile, RaravIni::FtpStartFolder);
    s.PASV = RaravIni::read(iniFile, RaravIni::FtpPASV);
    s.PING = RaravIni::read(iniFile, RaravIni::FtpPING);
    s.HTMLOnlyUpload = RaravIni::read(iniFile, RaravIni::HTMLOnlyUpload);
    s.SoundFile = RaravIni::read(iniFile, RaravIni::SoundFile);
    return s;
}

bool FtpUploadRunning() { return gRunning; }

void PartRegisteredAgain(const QString& fileName) {
    if (gRunning) gRegisteredAgain.insert(fileName);
}

bool RefuseDuringUpload() {
    if (!gRunning) return false;
    Prompts::MsgBox(QStringLiteral("アップロード中です。終わってから実行してください。"), Prompts::vbExclamation);
    return true;
}

FtpUpload::FtpUpload(UploadProgress& progress, UploadServices services, ConnectionFactory factory)
    : progress_(progress), services_(std::move(services)), factory_(std::move(factory)) {
    if (!factory_) {
        factory_ = [this] {
            auto session = std::make_unique<Internet::FtpSession>();
            // Let the windows repaint during long transfers, a few times a
            // second at most so that small files are not slowed down.
            auto clock = std::make_shared<QElapsedTimer>();
            clock->start();
            session->setIdleCallback([this, clock] {
                if (clock->elapsed() < 200) return;
                clock->restart();
                progress_.yield();
            });
            return std::unique_ptr<Internet::FtpConnection>(std::move(session));
        };
    }
}

FtpUpload::~FtpUpload() = default;

void FtpUpload::status(const QString& t) const {
    if (services_.setStatusText) services_.setStatusText(t);
}

QString FtpUpload::errorText() const { return modWinInet::errorText(ftp_->lastError(), ftp_->lastResponse()); }

// The start folder as the status texts show the path below it.
QString FtpUpload::remotePath() const { return withSlash(settings_.StartFolder); }

FtpUpload::Ending FtpUpload::FTP_Execute() {
    if (gRunning) return Ending::AlreadyRunning;
    RunningFlag flag;
    gRegisteredAgain.clear();
    const Shell::SharedState& state = Shell::state();
    userPath_ = state.UserPath;
    databasePath_ = state.databasePath();
    dataPath_ = state.DataPath;
    progress_.setCaption(QStringLiteral("FTP by Quillby"));
    progress_.setOkEnabled(false);
    progress_.setEnableBatsuBtn(false);
    progress_.repaint();
    Ending ending;
    reason_.clear();
    oldListNote_.clear();
    try {
        settings_ = FtpSettings::read(state.RaravIniFile);
        ending = run();
    } catch (const RuntimeError& e) {
        reason_ = e.description;
        ending = Ending::Failed;
    } catch (const std::exception& e) {
        reason_ = QString::fromLocal8Bit(e.what());
        ending = Ending::Failed;
    }
    // The parts that went up before a failure are not sent again; should
    // this record fail as well, they merely are.
    try {
        recordUploadedParts();
    } catch (const std::exception&) {
    }
    if (ftp_) ftp_->close();
    ftp_.reset();
    if (ending == Ending::Failed) {
        // The closing line alone hides why the run ended; the reason the
        // system gave follows it unless the step's text already shows it.
        QString body = progress_.text() + kFailedLine;
        if (!reason_.isEmpty() && !progress_.text().contains(reason_))
            body += QStringLiteral("\r\n(") + reason_ + QStringLiteral(")");
        progress_.setText(body);
    }
    if (ending != Ending::Succeeded) {
        progress_.setOkEnabled(true);
        progress_.setEnableBatsuBtn(true);
        if (services_.setBusyPointer) services_.setBusyPointer(false);
    }
    return ending;
}

FtpUpload::Ending FtpUpload::refuse(const QString& t) {
    title(QStringLiteral("エラー"));
    text(t);
    repaint();
    return Ending::Refused;
}

bool FtpUpload::checkListedFiles(const QString& listPath, const QString& missingText, int& count) {
    QList<UploadLine> lines;
    try {
        lines = readUploadList(listPath);
    } catch (const RuntimeError& e) {
        refuse(e.description);
        status(QStringLiteral("Upload List is broken!...Upload Failed."));
        return false;
    }
    count = int(lines.size());
    for (const UploadLine& line : lines) {
        if (!QFileInfo::exists(line.localPath())) {
            refuse(missingText + QStringLiteral("\r\n(") + line.name + QStringLiteral(" is not exist.)"));
            status(QStringLiteral("Upload File not exist!...Upload Failed."));
            return false;
        }
    }
    return true;
}

bool FtpUpload::failWith(const QString& t, const QString& body) {
    title(t);
    text(body);
    repaint();
    status(noteReason());
    return false;
}

QString FtpUpload::noteReason() {
    reason_ = errorText();
    return reason_;
}

StatusFn FtpUpload::folderStatus() {
    // The folder procedures report a failed call with its error text alone.
    return [this](const QString& t) {
        status(t);
        if (ftp_->lastError() != Internet::Error::None && t == errorText()) reason_ = t;
    };
}

FtpUpload::Ending FtpUpload::run() {
    const FtpSettings& s = settings_;
    if (s.ID.isEmpty() || s.URL.isEmpty()) {
        refuse(QStringLiteral("FTPのIDもしくはURLが設定されていません。\r\n(FTP_ID or FTP_URL is not invalid.)"));
        status(QStringLiteral("FTP_ID or FTP_URL is not invalid....Upload Failed."));
        return Ending::Refused;
    }
    if (services_.setBusyPointer) services_.setBusyPointer(true);
    status(QStringLiteral("Checking..."));
    const QString uploadList = userPath_ + QStringLiteral("upload.tmp");
    if (!QFileInfo::exists(uploadList)) {
        refuse(QStringLiteral("アップロードするファイルのリストが存在しません。\r\n(Upload.tmp is not exist.)"));
        status(QStringLiteral("Upload File not exist!...Upload Failed."));
        return Ending::Refused;
    }
    int pageCount = 0;
    if (!checkListedFiles(uploadList, QStringLiteral("アップロードするファイルが存在しません。"), pageCount))
        return Ending::Refused;
    logCount_ = 0;
    const QString logList = userPath_ + QStringLiteral("uploadlog.tmp");
    if (QFileInfo::exists(logList) &&
        !checkListedFiles(logList, QStringLiteral("アップロードするログファイルが存在しません。"), logCount_))
        return Ending::Refused;

    status(QStringLiteral("Starting Connection to ") + s.URL);
    ftp_ = factory_();
    if (!ftp_) {
        refuse(QStringLiteral("インターネットへの接続失敗。\r\n(Internet Connect Error.)"));
        status(QStringLiteral("Can't connect Internet!"));
        return Ending::Failed;
    }
    title(QStringLiteral("接続確認中"));
    text(QStringLiteral("インターネットへの接続成功。"));
    repaint();
    Internet::FtpLogin login;
    login.host = s.URL;
    login.user = s.ID;
    login.password = s.Pass;
    login.passive = s.PASV != 0;
    login.receiveTimeoutMs = receiveTimeoutMs_;
    if (!ftp_->connect(login)) {
        // The server's reason is added so the user can tell a wrong password
        // from a wrong server name.
        refuse(QStringLiteral("FTPサーバーへの接続失敗。\r\n(FTP Connect Error.)\r\n(") + errorText() +
               QStringLiteral(")"));
        status(QStringLiteral("Can't connect to ") + s.URL);
        return Ending::Failed;
    }
    title(QStringLiteral("接続確認中"));
    text(QStringLiteral("FTP接続成功。"));
    yield();
    status(QStringLiteral("Connected to ") + s.URL);

    // Pages go up before any old one is removed, so that a failure leaves the
    // previous site standing.
    if (!enterStartFolder() || !putPages() || !deleteOldPages()) return Ending::Failed;

    // Replaced in one step: a list removed first and then not written would
    // leave the next run without the pages to remove.
    const QString oldList = userPath_ + QStringLiteral("uploadold.tmp");
    if (!Files::copyFile(uploadList, oldList)) throw RuntimeError(ErrorNumber::PermissionDenied, oldList);

    if (s.HTMLOnlyUpload == 0 && !putParts()) return Ending::Failed;
    // Parts registered for a month already made into a past log wait for
    // the log step even when no log page does.
    if ((QFileInfo::exists(logList) || !pendingParts(true).isEmpty()) && !uploadLogPages()) return Ending::Failed;
    recordUploadedParts();

    ftp_->close();
    status(QStringLiteral("Uploading Files is Success!"));
    if (services_.playSound) services_.playSound(s.SoundFile);
    title(QStringLiteral("Successful"));
    text(QStringLiteral("日記のアップロードに成功しました。") + oldListNote_);
    yield();
    progress_.setOkEnabled(true);
    progress_.setEnableBatsuBtn(true);
    if (services_.setBusyPointer) services_.setBusyPointer(false);
    if (s.PING != 0) {
        progress_.unload();
        if (services_.ping) services_.ping();
    }
    return Ending::Succeeded;
}

bool FtpUpload::enterStartFolder() {
    const QString& SF = settings_.StartFolder;
    if (SF.isEmpty()) return true;
    const StatusFn st = folderStatus();
    title(QStringLiteral("ディレクトリの移動"));
    text(SF + QStringLiteral("へ移動中"));
    yield();
    if (!CheckFtpFolder(SF, *ftp_, st) || !ChangeFtpDirectory(QString(), SF, *ftp_, st)) {
        text(SF + QStringLiteral("へ移動失敗"));
        repaint();
        return false;
    }
    text(SF + QStringLiteral("へ移動完了"));
    yield();
    return true;
}

// Removes the pages of the previous upload that the current one no longer
// holds, with one listing of the folder; a name already gone is no failure.
// Names are compared ignoring letter case: on a server that ignores it (as
// Windows servers do) "Index.htm" is the page just put as "index.htm".
bool FtpUpload::deleteOldPages() {
    const QString oldList = userPath_ + QStringLiteral("uploadold.tmp");
    if (!QFileInfo::exists(oldList)) return true;
    QSet<QString> current;
    for (const UploadLine& line : readUploadList(userPath_ + QStringLiteral("upload.tmp")))
        current.insert(line.name.toCaseFolded());
    QList<UploadLine> oldLines;
    try {
        oldLines = readUploadList(oldList);
    } catch (const RuntimeError&) {
        // An empty list names nothing to delete. A damaged one cannot say
        // what to delete: nothing is, the user hears of it once, and the
        // list is replaced by the current one as after any page step.
        if (!isEmptyUploadList(oldList))
            oldListNote_ = QStringLiteral("\r\n(前回アップロードしたファイルの一覧(uploadold.tmp)が読めないため、"
                                          "古いファイルは削除していません。)");
        return true;
    }
    QStringList stale;
    for (const UploadLine& line : oldLines) {
        const QString folded = line.name.toCaseFolded();
        if (current.contains(folded)) continue;
        current.insert(folded);
        stale << line.name;
    }
    if (stale.isEmpty()) return true;
    title(QStringLiteral("ファイルの削除"));
    QStringList present;
    if (!ftp_->listNames(present))
        return failWith(QStringLiteral("エラー"),
                        QStringLiteral("その他のエラー(FileDelete)。\r\n(") + errorText() + QStringLiteral(")"));
    const QSet<QString> onServer(present.cbegin(), present.cend());
    for (const QString& name : stale) {
        if (!onServer.contains(name)) continue;
        if (!ftp_->deleteFile(name))
            return failWith(QStringLiteral("エラー"),
                            QStringLiteral("ファイルの削除に失敗。\r\n(") + name + QStringLiteral(" delete is missed.)"));
        text(QStringLiteral("ファイル「") + name + QStringLiteral("」を削除しました。"));
        yield();
        status(QStringLiteral("Deleting ") + name + QStringLiteral(" is Completed!"));
    }
    return true;
}

bool FtpUpload::putPages() {
    const QList<UploadLine> lines = readUploadList(userPath_ + QStringLiteral("upload.tmp"));
    const int n = int(lines.size());
    int i = 0;
    progress_.setMaximum(qMax(1, n));
    progress_.setValue(0);
    const QString of = QStringLiteral("/%1)").arg(n);
    for (const UploadLine& line : lines) {
        title(QStringLiteral("HTMLファイルアップロード"));
        text(QStringLiteral("ファイル「") + line.name + QStringLiteral("」をアップロード中。(") + QString::number(i) + of);
        yield();
        if (!ftp_->putFile(line.localPath(), line.name, Internet::TransferType::Ascii))
            return failWith(QStringLiteral("HTMLアップロードエラー"),
                            QStringLiteral("その他のエラー(FileUpload)。\r\n(") + errorText() + QStringLiteral(")"));
        progress_.setValue(++i);
        text(QStringLiteral("ファイル「") + line.name + QStringLiteral("」のアップロードに成功しました。(") +
             QString::number(i) + of);
        yield();
        status(QStringLiteral("Upload \"") + line.name + QStringLiteral("\" is Succeeded!"));
    }
    return true;
}

QList<FtpUpload::Part> FtpUpload::pendingParts(bool logged) const {
    Database db(databasePath_);
    const Recordset rs = db.query(
        QStringLiteral("SELECT FileID, FileName, Day, Uploaded, Logged FROM FileDB WHERE Uploaded=0 AND Logged=?"),
        {logged ? 1 : 0});
    QList<Part> parts;
    for (qsizetype r = 0; r < rs.size(); ++r)
        parts.append({rs.value(r, QStringLiteral("FileID")).toLongLong(),
                      IniFile::TrimNull(rs.text(r, QStringLiteral("FileName")))});
    return parts;
}

void FtpUpload::markUploaded(const Part& part) { uploadedParts_ << part; }

// One commit, and so one sync, for the whole run: a part that reached the
// server but whose mark was lost with a crash is merely sent again.
void FtpUpload::recordUploadedParts() {
    if (uploadedParts_.isEmpty()) return;
    Database db(databasePath_);
    Transaction t(db);
    for (const Part& part : std::as_const(uploadedParts_)) {
        if (!gRegisteredAgain.contains(part.name))
            db.exec(QStringLiteral("UPDATE FileDB SET Uploaded=1 WHERE FileID=?"), {part.id});
    }
    t.commit();
    uploadedParts_.clear();
}

bool FtpUpload::putParts() {
    const QString& SF = settings_.StartFolder;
    const StatusFn st = folderStatus();
    title(QStringLiteral("ファイルアップロード"));
    const QList<Part> parts = pendingParts(false);
    if (parts.isEmpty()) {
        status(QStringLiteral("HTMLファイル以外にアップロード対象となるファイルはありません。"));
        return true;
    }
    const QList<UploadLine> lines = readUploadList(userPath_ + QStringLiteral("upload.tmp"));
    const QString localFolder =
        (lines.isEmpty() ? withSlash(Shell::state().FilePath) : lines.last().folder) + QStringLiteral("RaravParts/");

    title(QStringLiteral("ディレクトリの移動"));
    text(SF + QStringLiteral("\\RaravPartsへ移動中"));
    yield();
    if (!CheckFtpFolder(QStringLiteral("RaravParts"), *ftp_, st) ||
        !ChangeFtpDirectory(remotePath(), QStringLiteral("RaravParts"), *ftp_, st)) {
        text(SF + QStringLiteral("\\RaravPartsへ移動失敗"));
        repaint();
        return false;
    }
    text(SF + QStringLiteral("\\RaravPartsへ移動完了"));
    yield();
    const int n = int(parts.size());
    const QString of = QStringLiteral("/%1)").arg(n);
    int i = 0;
    progress_.setMaximum(n);
    progress_.setValue(0);
    for (const Part& part : parts) {
        status(QStringLiteral("Uploading ") + part.name);
        text(QStringLiteral("ファイル「") + part.name + QStringLiteral("」をアップロードします。(") + QString::number(i) + of);
        yield();
        if (!ftp_->putFile(localFolder + part.name, part.name, Internet::TransferType::Binary)) {
            const QString why = noteReason();
            status(why);
            title(QStringLiteral("ファイルアップロードエラー"));
            text(QStringLiteral("その他のエラー(OtherFileUpload)。\r\n(") + part.name + QStringLiteral(":") + why +
                 QStringLiteral(")"));
            return false;
        }
        // Noted before the yield below, which may wait on a box for long.
        markUploaded(part);
        progress_.setValue(++i);
        text(QStringLiteral("ファイル「") + part.name + QStringLiteral("」のアップロードに成功しました。(") +
             QString::number(i) + of);
        yield();
        status(QStringLiteral("Upload Successful!"));
    }
    title(QStringLiteral("元のディレクトリへの移動"));
    text(SF + QStringLiteral("へ移動中"));
    yield();
    if (!ChangeFtpDirectory(remotePath() + QStringLiteral("RaravParts/"), QStringLiteral(".."), *ftp_, st)) {
        text(SF + QStringLiteral("へ移動失敗"));
        repaint();
        return false;
    }
    text(SF + QStringLiteral("へ移動完了"));
    yield();
    return true;
}

}  // namespace Publish

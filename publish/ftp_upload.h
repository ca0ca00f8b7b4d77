#pragma once
// The upload of the saved site by FTP: the pages of "upload.tmp", the parts
// files not yet uploaded, then the pending past-log pages and their parts.
// One synchronous run on the UI thread, reported in the progress window.
#include "platform/internet.h"
#include "publish/remote_folders.h"
#include "publish/upload_progress.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace Publish {

struct FtpSettings {
    QString ID;
    QString Pass;  // unscrambled
    QString URL;
    QString StartFolder;
    int PASV = 0;
    int PING = 0;
    int HTMLOnlyUpload = 0;
    QString SoundFile;

    static FtpSettings read(const QString& iniFile);
};

// The scrambling the options window applies to the stored password, undone.
QString DecryptPassword(const QString& text);

// True while an upload runs; the site save and the log maker refuse then.
bool FtpUploadRunning();
// While an upload runs, tells the user that the command must wait for it and
// returns true.
bool RefuseDuringUpload();
// A parts file registered again (new content) while an upload runs: the run
// leaves it pending even when it has already sent it, since what it sent may
// be the old content.
void PartRegisteredAgain(const QString& fileName);

class FtpUpload {
public:
    enum class Ending { Refused, Failed, Succeeded, AlreadyRunning };
    using ConnectionFactory = std::function<std::unique_ptr<Internet::FtpConnection>()>;

    // Paths come from the main window's shared state (UserPath, RaravIniFile,
    // the database). Without a factory the libcurl session is used.
    FtpUpload(UploadProgress& progress, UploadServices services, ConnectionFactory factory = {});
    ~FtpUpload();

    Ending FTP_Execute();
    // How long a server may keep silent before a call fails (30 s).
    void setReceiveTimeoutMs(int ms) { receiveTimeoutMs_ = ms; }

private:
    struct Part {
        qint64 id;
        QString name;
    };

    Ending run();
    Ending refuse(const QString& text);
    bool checkListedFiles(const QString& listPath, const QString& missingText, int& count);
    bool enterStartFolder();
    bool deleteOldPages();
    bool putPages();
    bool putParts();
    bool uploadLogPages();
    bool putLogParts(const QList<Part>& rows, const QStringList& shared, const QString& localFolder);
    QList<Part> pendingParts(bool logged) const;
    QStringList sharedLogParts(const QString& localFolder, const QList<Part>& rows) const;
    // Parts are marked in memory as they go up and recorded together.
    void markUploaded(const Part& part);
    void recordUploadedParts();
    bool failWith(const QString& title, const QString& text);
    // Keeps the failed call's error text for the failure ending and returns it.
    QString noteReason();
    StatusFn folderStatus();
    QString errorText() const;
    QString dataLogFolder() const;
    QString remotePath() const;

    void title(const QString& t) { progress_.setTitle(t); }
    void text(const QString& t) { progress_.setText(t); }
    void status(const QString& t) const;
    void yield() { progress_.yield(); }
    void repaint() { progress_.repaint(); }

    UploadProgress& progress_;
    UploadServices services_;
    ConnectionFactory factory_;
    std::unique_ptr<Internet::FtpConnection> ftp_;
    FtpSettings settings_;
    QString userPath_;
    QString databasePath_;
    QString dataPath_;
    int logCount_ = 0;
    int receiveTimeoutMs_ = Internet::FtpLogin().receiveTimeoutMs;
    QList<Part> uploadedParts_;
    QString reason_;  // why the run failed, as the system reported it
    QString oldListNote_;  // added to the success text when the old list was unreadable
};

}  // namespace Publish

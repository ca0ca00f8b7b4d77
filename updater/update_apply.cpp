#include "updater/update_apply.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "core/update_descriptor.h"
#include "core/update_journal.h"
#include "updater/lha_archive.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace Updater {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kLockFile = QStringLiteral("Rarav.lock");
int lockWaitMs = 30000;

bool archivePresent(const QString& myPath, const QString& name) {
    return UpdateDescriptor::isPlainFileName(name) && QFileInfo(myPath + name).isFile();
}

void fail(const QString& text) { Prompts::MsgBox(text, Prompts::vbCritical, kApplicationTitle); }

// Copies the program with its permissions, so that a copy stays executable;
// the reason the system gave when it could not, else empty. The target is
// written under another name and renamed only when complete.
QString copyProgram(const QString& from, const QString& to) {
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return from + QStringLiteral(": ") + in.errorString();
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly)) return to + QStringLiteral(": ") + out.errorString();
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() && in.error() != QFile::NoError) return from + QStringLiteral(": ") + in.errorString();
        // A short write carries no error of its own; writing the rest
        // brings out the reason (a full disk, a size limit).
        for (qint64 done = 0; done < block.size();) {
            const qint64 n = out.write(block.constData() + done, block.size() - done);
            if (n <= 0) return to + QStringLiteral(": ") + out.errorString();
            done += n;
        }
    }
    // Qt's commit() can report success after a last flush that failed for
    // lack of room, so the flush is checked on its own.
    if (!out.flush() || !out.commit()) return to + QStringLiteral(": ") + out.errorString();
    if (!QFile::setPermissions(to, in.permissions()))
        return to + QStringLiteral(": ") + QStringLiteral("cannot set permissions");
    return QString();
}

// The program is left as it was: the user learns why no backup could be made.
bool backupFailed(const QString& reason, const std::function<void(const QString&)>& log) {
    log(QStringLiteral("...Rarav could not be backuped.") + kCrLf);
    fail(QStringLiteral("プログラムのバックアップ「Rarav.bak」を書き込めませんでした。") + kCrLf + reason + kCrLf +
         QStringLiteral("アップデートを中止しました。プログラムは変更されていません。"));
    return false;
}

// Waits a while for the main program to end, letting the window repaint.
bool waitForLock(QLockFile& lock) {
    QDeadlineTimer deadline(lockWaitMs);
    do {
        if (lock.tryLock(100)) return true;
        QCoreApplication::processEvents();
    } while (!deadline.hasExpired());
    return false;
}

// An update killed part-way is undone, or finished when every file was in
// place, before anything else is looked at: the backup is then made of the
// program as it really is.
bool finishInterruptedUpdate(const QString& myPath, const std::function<void(const QString&)>& log) {
    const UpdateJournal::Recovery r = UpdateJournal::recover(myPath);
    switch (r.outcome) {
    case UpdateJournal::Recovery::Nothing:
        return true;
    case UpdateJournal::Recovery::Undone:
        log(QStringLiteral("...the interrupted update was undone.") + kCrLf);
        return true;
    case UpdateJournal::Recovery::Finished:
        log(QStringLiteral("...the interrupted update was finished.") + kCrLf);
        return true;
    case UpdateJournal::Recovery::NotRestored:
        break;
    }
    fail(QStringLiteral("中断されたアップデートで置き換えたファイルの一部を元に戻せませんでした。元のファイルは次のフォルダにあります。") +
         kCrLf + r.keptIn);
    return false;
}

}  // namespace

void setLockWait(int milliseconds) { lockWaitMs = milliseconds; }

bool chooseJob(const QString& myPath, Job& job) {
    const auto d = UpdateDescriptor::read(UpdateDescriptor::path(myPath), UpdateDescriptor::kUpdaterMissingFileName);
    if (archivePresent(myPath, d.releaseFileName)) {
        job.mode = QStringLiteral("Full");
        job.archive = d.releaseFileName;
    } else if (archivePresent(myPath, d.patchFileName)) {
        job.mode = QStringLiteral("Patch");
        job.archive = d.patchFileName;
    } else {
        fail(QStringLiteral("パッチが全く存在しません。"));
        return false;
    }
    job.currentVersion = d.currentVersion;
    if (job.mode == QLatin1String("Patch") &&
        UpdateDescriptor::compareVersions(job.currentVersion, d.requiredVersion) < 0) {
        fail(QStringLiteral("このパッチをあてるためには、現在のバージョンが") + d.requiredVersion +
             QStringLiteral("以上である必要があります。") + kCrLf + QStringLiteral("フルバージョンのファイルをお使い下さい。"));
        return false;
    }
    job.newVersion = job.mode == QLatin1String("Patch") ? d.patchVersion : d.releaseVersion;
    return true;
}

bool applyUpdate(const QString& myPath, bool deleteArchive, const std::function<void(const QString&)>& log) {
    // The main program ends after starting the updater, yet may still be
    // writing its last files; files are replaced only once it is gone, and
    // it cannot start again until the update is over.
    QLockFile lock(myPath + kLockFile);
    lock.setStaleLockTime(0);
    if (!waitForLock(lock)) {
        fail(QStringLiteral("Quillbyが終了していません。") + kCrLf +
             QStringLiteral("Quillbyを終了してから、もう一度アップデートしてください。"));
        return false;
    }
    if (!finishInterruptedUpdate(myPath, log)) return false;

    Job job;
    if (!chooseJob(myPath, job)) return false;
    log(kCrLf + QStringLiteral("-----") + kCrLf + QStringLiteral("Mode:") + job.mode + kCrLf + QStringLiteral("File:") +
        PathParts::GetFileName(job.archive) + kCrLf + QStringLiteral("現在のバージョン:") + job.currentVersion + kCrLf +
        QStringLiteral("新しいバージョン:") + job.newVersion + kCrLf);
    QCoreApplication::processEvents();

    const QString program = myPath + kProgram;
    const QString backup = myPath + kBackup;
    if (QFile old(backup); old.exists() && !old.remove())
        return backupFailed(backup + QStringLiteral(": ") + old.errorString(), log);
    if (QFileInfo(program).isFile()) {
        if (const QString reason = copyProgram(program, backup); !reason.isEmpty()) {
            QFile::remove(backup);
            return backupFailed(reason, log);
        }
    }
    log(QStringLiteral("...Rarav backuped.") + kCrLf + QStringLiteral("...now extracting.") + kCrLf);
    QCoreApplication::processEvents();

    LhaArchive::Report report;
    const int result = LhaArchive::extract(myPath + job.archive, myPath, &report);
    if (result != LhaArchive::Extracted) {
        log(QStringLiteral("...update is not successful.") + kCrLf);
        QString text = QStringLiteral("パッチファイルの解凍に失敗しました。") + kCrLf + QStringLiteral("raravを復帰します。");
        if (!report.reason.isEmpty()) text += kCrLf + report.reason;
        fail(text);
        // Without a program there was nothing to back up, and nothing to
        // restore; a program put back by the extraction itself is not
        // written again (on a full disk that write would fail).
        if (QFileInfo(backup).isFile()) {
            if (!Files::sameBytes(backup, program)) {
                if (const QString reason = copyProgram(backup, program); !reason.isEmpty())
                    throw RuntimeError(ErrorNumber::PermissionDenied, reason);
            }
            log(kCrLf + QStringLiteral("...we copied \"Rarav.bak\" to \"Rarav\""));
        }
        if (result == LhaArchive::NotRestored)
            fail(QStringLiteral("置き換えたファイルの一部を元に戻せませんでした。元のファイルは次のフォルダにあります。") + kCrLf +
                 report.keptIn);
        return false;
    }

    log(QStringLiteral("...update is successful.") + kCrLf);
    if (deleteArchive) {
        QFile::remove(myPath + job.archive);
        log(QStringLiteral("...patch file is deleted.") + kCrLf);
    }
    QCoreApplication::processEvents();
    log(QStringLiteral("Update is finished!") + kCrLf + QStringLiteral("Quillby is now Ver.") + job.newVersion +
        QStringLiteral("!") + kCrLf + QStringLiteral("アップデート成功！"));
    UpdateDescriptor::markUpdated(UpdateDescriptor::path(myPath));
    Prompts::MsgBox(QStringLiteral("アップデートが成功しました。"), Prompts::vbInformation, kApplicationTitle);
    return true;
}

QString versionIniFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Rarav.ini");
}

void recordOwnVersion() {
    const QString file = versionIniFile();
    QDir().mkpath(QFileInfo(file).absolutePath());
    IniFile::WriteIniString(file, QStringLiteral("Tools"), QStringLiteral("QuillbyUpdaterVersion"),
                            QString::number(Shell::versionNumber()));
}

}  // namespace Updater

#include "updater/update_apply.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/shared_state.h"
#include "core/update_descriptor.h"
#include "updater/lha_archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace Updater {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

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

}  // namespace

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

    QString keptIn;
    const int result = LhaArchive::extract(myPath + job.archive, myPath, &keptIn);
    if (result != LhaArchive::Extracted) {
        log(QStringLiteral("...update is not successful.") + kCrLf);
        fail(QStringLiteral("パッチファイルの解凍に失敗しました。") + kCrLf + QStringLiteral("raravを復帰します。"));
        // Without a program there was nothing to back up, and nothing to restore.
        if (QFileInfo(backup).isFile()) {
            if (const QString reason = copyProgram(backup, program); !reason.isEmpty())
                throw RuntimeError(ErrorNumber::PermissionDenied, reason);
            log(kCrLf + QStringLiteral("...we copied \"Rarav.bak\" to \"Rarav\""));
        }
        if (result == LhaArchive::NotRestored)
            fail(QStringLiteral("置き換えたファイルの一部を元に戻せませんでした。元のファイルは次のフォルダにあります。") + kCrLf +
                 keptIn);
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

#include "updater/update_apply.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "shell/module4.h"
#include "shell/module5.h"
#include "shell/shared_state.h"
#include "shell/update_descriptor.h"
#include "updater/lha_archive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Updater {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool archivePresent(const QString& myPath, const QString& name) {
    return UpdateDescriptor::isPlainFileName(name) && QFileInfo(myPath + name).isFile();
}

void fail(const QString& text) { Prompts::MsgBox(text, Prompts::vbCritical, kApplicationTitle); }

// A copy of the program must stay executable, so the permissions go along.
void copyProgram(const QString& from, const QString& to) {
    if (!Files::copyFile(from, to) || !QFile::setPermissions(to, QFile::permissions(from)))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("Cannot copy %1 to %2").arg(from, to));
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
        Module5::GetFileName(job.archive) + kCrLf + QStringLiteral("現在のバージョン:") + job.currentVersion + kCrLf +
        QStringLiteral("新しいバージョン:") + job.newVersion + kCrLf);
    QCoreApplication::processEvents();

    const QString program = myPath + kProgram;
    const QString backup = myPath + kBackup;
    if (QFileInfo::exists(backup) && !QFile::remove(backup))
        throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("Cannot remove ") + backup);
    if (QFileInfo(program).isFile()) copyProgram(program, backup);
    log(QStringLiteral("...Rarav backuped.") + kCrLf + QStringLiteral("...now extracting.") + kCrLf);
    QCoreApplication::processEvents();

    if (LhaArchive::extract(myPath + job.archive, myPath) != LhaArchive::Extracted) {
        log(QStringLiteral("...update is not successful.") + kCrLf);
        fail(QStringLiteral("パッチファイルの解凍に失敗しました。") + kCrLf + QStringLiteral("raravを復帰します。"));
        // Without a program there was nothing to back up, and nothing to restore.
        if (QFileInfo(backup).isFile()) {
            copyProgram(backup, program);
            log(kCrLf + QStringLiteral("...we copied \"Rarav.bak\" to \"Rarav\""));
        }
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
    Module4::WriteIniString(file, QStringLiteral("Tools"), QStringLiteral("QuillbyUpdaterVersion"),
                            QString::number(Shell::versionNumber()));
}

}  // namespace Updater

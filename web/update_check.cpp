#include "web/update_check.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "core/addresses.h"
#include "core/c_execute.h"
#include "core/file_names.h"
#include "core/shared_state.h"
#include "web/http_download.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace UpdateCheck {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kConnectTimeoutMs = 15000;
constexpr int kReceiveTimeoutMs = 30000;

void setUpdaterMenuEnabled(bool enabled) {
    if (Shell::hooks().setUpdaterMenuEnabled) Shell::hooks().setUpdaterMenuEnabled(enabled);
}

void setBusy(bool busy) {
    if (Shell::hooks().setBusy) Shell::hooks().setBusy(busy);
}

void endMainProgram() {
    if (Shell::hooks().unloadMainWindow) Shell::hooks().unloadMainWindow();
}

void error(const QString& text) { Prompts::MsgBox(text, Prompts::vbCritical); }

// The window stays responsive during a check, so a second click must not
// start another check over the descriptor and archive in use.
bool checkRunning = false;

bool refuseWhileChecking() {
    if (!checkRunning) return false;
    Prompts::MsgBox(QStringLiteral("アップデートを確認しています。終わるまでお待ちください。"), Prompts::vbExclamation);
    return true;
}

// The session and the hourglass last for one check, whichever way it ends.
struct CheckRun {
    HttpSource& http;
    bool sessionOpen = false;
    explicit CheckRun(HttpSource& h) : http(h) {
        setBusy(true);
        Shell::setStatusText(QStringLiteral("Openning Internet"));
    }
    void close() {
        if (sessionOpen) http.closeSession();
        sessionOpen = false;
        setBusy(false);
    }
    ~CheckRun() { close(); }
};

void check(const Environment& env, CheckRun& run) {
    if (!env.http->openSession(kConnectTimeoutMs, kReceiveTimeoutMs)) {
        Shell::setStatusText(QStringLiteral("Can't connect Internet!"));
        error(QStringLiteral("インターネットに接続できませんでした。"));
        setUpdaterMenuEnabled(false);
        return;
    }
    run.sessionOpen = true;

    const QString descriptor = UpdateDescriptor::path(env.myPath);
    Shell::setStatusText(QStringLiteral("Downloading update.txt"));
    if (UpdateDownload::HttpDownload(*env.http, env.descriptorAddress, descriptor, nullptr) == 0) {
        error(QStringLiteral("update.txtの取得に失敗しました。"));
        setUpdaterMenuEnabled(false);
        return;
    }
    UpdateDescriptor::writeCurrentVersion(descriptor, env.runningVersion);

    const Offer offer = choose(UpdateDescriptor::read(descriptor));
    if (offer.kind == Offer::Nothing) {
        Shell::setStatusText(QStringLiteral("Sorry,New Version is not released!"));
        Prompts::MsgBox(QStringLiteral("確認しましたが、新しいバージョンはありませんでした。"), Prompts::vbInformation);
        setUpdaterMenuEnabled(false);
        return;
    }
    setUpdaterMenuEnabled(true);
    if (Prompts::MsgBox(QStringLiteral("新しいバージョンが存在します(") + offer.version + QStringLiteral(")。") + kCrLf +
                            QStringLiteral("ダウンロードしますか？"),
                        Prompts::vbYesNo) != Prompts::vbYes)
        return;

    // A name with a folder part would let the server write anywhere, and one
    // of the program's own files would be replaced by the archive.
    const QString refused = FileNames::programFolderRefusal(offer.fileName);
    if (!refused.isEmpty()) {
        error(QStringLiteral("ダウンロードに失敗しました。") + kCrLf + refused);
        setUpdaterMenuEnabled(false);
        return;
    }
    Shell::setStatusText(QStringLiteral("ダウンロード実行中..."));
    if (UpdateDownload::HttpDownload(*env.http, offer.address, env.myPath + offer.fileName, env.progress) == 0) {
        error(QStringLiteral("ダウンロードに失敗しました。"));
        setUpdaterMenuEnabled(false);
        return;
    }
    Prompts::MsgBox(QStringLiteral("ダウンロードが完了しました。"), Prompts::vbInformation);

    if (updaterExecutable(env.myPath).isEmpty()) {
        error(QStringLiteral("Quillby Updaterが見つかりません。"));
        return;
    }
    if (Prompts::MsgBox(QStringLiteral("QuillbyUpdaterを起動しますか？") + kCrLf + QStringLiteral("(Quillbyは終了します。)"),
                        Prompts::vbYesNo) != Prompts::vbYes)
        return;
    if (!startUpdater(env.myPath)) return;
    run.close();
    endMainProgram();
}

}  // namespace

Environment fromShell(HttpSource& http, DownloadProgress* progress) {
    Environment env;
    env.myPath = Shell::state().MyPath;
    env.runningVersion = Shell::versionText();
    env.descriptorAddress = Addresses::updateUrl();
    env.http = &http;
    env.progress = progress;
    return env;
}

Offer choose(const UpdateDescriptor::Contents& d) {
    using UpdateDescriptor::compareVersions;
    Offer offer;
    if (compareVersions(d.patchVersion, d.currentVersion) > 0 && compareVersions(d.currentVersion, d.requiredVersion) > 0)
        offer = {Offer::Patch, d.patchUrl, d.patchFileName, d.patchVersion};
    else if (compareVersions(d.releaseVersion, d.currentVersion) > 0)
        offer = {Offer::Release, d.releaseUrl, d.releaseFileName, d.releaseVersion};
    return offer;
}

QString updaterExecutable(const QString& myPath) {
    for (const QString& folder : {myPath, QCoreApplication::applicationDirPath() + QLatin1Char('/')}) {
        if (QFileInfo(folder + kUpdater).isFile()) return folder + kUpdater;
    }
    return QString();
}

bool startUpdater(const QString& myPath) {
    const QString updater = updaterExecutable(myPath);
    const QString copy = myPath + kUpdaterCopy;
    if (QFileInfo::exists(copy)) QFile::remove(copy);
    // The updater runs from a copy so that an archive may replace the updater.
    const bool started = !updater.isEmpty() && Files::copyFile(updater, copy) &&
                         QFile::setPermissions(copy, QFile::permissions(updater)) && cExecute().ShellX(copy, 1, false);
    if (!started) error(QStringLiteral("Quillby Updaterが見つかりません。"));
    return started;
}

void MnuUpdateCheck_Click(const Environment& env) {
    if (refuseWhileChecking()) return;
    checkRunning = true;
    struct Running {
        ~Running() { checkRunning = false; }
    } running;
    if (Shell::hooks().navigateBrowser) Shell::hooks().navigateBrowser(Addresses::kHomePage);
    CheckRun run(*env.http);
    check(env, run);
}

void MnuQuillbyUpdater_Click(const Environment& env) {
    if (refuseWhileChecking()) return;
    UpdateDescriptor::writeCurrentVersion(UpdateDescriptor::path(env.myPath), env.runningVersion);
    if (startUpdater(env.myPath)) endMainProgram();
}

}  // namespace UpdateCheck

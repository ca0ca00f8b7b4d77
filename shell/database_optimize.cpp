#include "shell/database_optimize.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "shell/db_version.h"
#include "shell/rarav_ini.h"
#include "shell/startup.h"

namespace DatabaseMaintenance {

namespace {

// The main window stays disabled while the rebuild serves the event loop, so
// that no entry is saved into the file being replaced.
class MainWindowDisabled {
public:
    MainWindowDisabled() { set(false); }
    ~MainWindowDisabled() { set(true); }

private:
    static void set(bool enabled) {
        if (Shell::hooks().setEnabled) Shell::hooks().setEnabled(enabled);
    }
};

void tellFailure(const QString& what, const RuntimeError& e) {
    Prompts::MsgBox(what + QStringLiteral("\r\n") + e.description +
                        QStringLiteral("\r\nrarav.mdbは変更されていません。"),
                    Prompts::vbCritical);
}

// Backs up, shows the window and rebuilds; false after telling the user what
// failed.
bool rebuild(const Shell::SharedState& s, int version, RebuildWindow& window, const QString& failure,
             const QString& doneMessage) {
    try {
        Module16::BackupDatabase(s.UserPath);
    } catch (const RuntimeError& e) {
        tellFailure(failure, e);
        return false;
    }
    MainWindowDisabled disabled;
    Module16::UpgradeProgress& progress = window.show();
    try {
        Module16::UpgradeDatabase(version, progress, {s.UserPath, s.MyPath, s.DataPath});
    } catch (const RuntimeError& e) {
        tellFailure(failure, e);
        window.unload();
        return false;
    }
    Prompts::MsgBox(doneMessage);
    return true;
}

}  // namespace

bool checkAtStartUp(const Shell::SharedState& s, RebuildWindow& window, const std::function<void()>& beforeTelling) {
    const int version = Shell::GetDBVersion(s.databasePath());
    if (version >= Shell::kMinimumDBVersion) return true;
    if (beforeTelling) beforeTelling();
    Startup::prepareCustomizeForRebuild(s);
    Prompts::MsgBox(QStringLiteral("rarav.mdbがアップデートされています。\r\n"
                                   "データベースをアップデートします。\r\n"
                                   "(念のために、今までの「rarav.mdb」は「diarymdb.bak」というファイル名で保存します。)"));
    if (!rebuild(s, version, window, QStringLiteral("rarav.mdbのアップデートに失敗しました。"),
                 QStringLiteral("rarav.mdbのアップデートは完了しました。\r\n念のためにQuillbyを再起動してください。")))
        return false;
    RaravIni::write(s.RaravIniFile, RaravIni::DBVersion, QString::number(Shell::kMinimumDBVersion));
    window.unload();
    return true;
}

bool optimize(const Shell::SharedState& s, RebuildWindow& window) {
    if (Module16::isUpgrading()) return false;
    if (Prompts::MsgBox(QStringLiteral("rarav.mdbを最適化しますか？\r\n"
                                       "バックアップとして、現在のファイルを「diarymdb.bak」として保存します。"),
                        Prompts::vbYesNo) != Prompts::vbYes) {
        Prompts::MsgBox(QStringLiteral("rarav.mdbの最適化を中止しました。"));
        return false;
    }
    const int version = Shell::GetDBVersion(s.databasePath());
    if (!rebuild(s, version, window, QStringLiteral("rarav.mdbの最適化に失敗しました。"),
                 QStringLiteral("rarav.mdbの最適化は完了しました。\r\n念のためにQuillbyを再起動してください。")))
        return false;
    window.unload();
    return true;
}

}  // namespace DatabaseMaintenance

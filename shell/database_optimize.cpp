#include "shell/database_optimize.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "platform/search_index.h"
#include "core/db_version.h"
#include "core/rarav_ini.h"
#include "shell/startup.h"

#include <optional>

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

// The version rarav.mdb records, or nothing after telling the user that the
// file cannot be read as a database. Nothing is backed up or rebuilt then:
// diarymdb.bak may be the only good copy.
std::optional<int> readVersion(const Shell::SharedState& s, const std::function<void()>& beforeTelling,
                               const QString& consequence = {}) {
    try {
        return Shell::GetDBVersion(s.databasePath());
    } catch (const RuntimeError& e) {
        if (beforeTelling) beforeTelling();
        QString text = QStringLiteral("rarav.mdbを開けません。ファイルが壊れているか、日記のデータベースではありません。\r\n") +
                       s.databasePath() + QStringLiteral("\r\n") + e.description;
        if (Files::exists(s.UserPath + DatabaseUpgrade::kBackupFile))
            text += QStringLiteral("\r\nバックアップの「diarymdb.bak」は変更していません。");
        Prompts::MsgBox(text + consequence, Prompts::vbCritical);
        return std::nullopt;
    }
}

// Backs up, shows the window and rebuilds; false after telling the user what
// failed.
bool rebuild(const Shell::SharedState& s, int version, RebuildWindow& window, const QString& failure,
             const QString& doneMessage) {
    try {
        DatabaseUpgrade::BackupDatabase(s.UserPath);
    } catch (const RuntimeError& e) {
        tellFailure(failure, e);
        return false;
    }
    MainWindowDisabled disabled;
    DatabaseUpgrade::UpgradeProgress& progress = window.show();
    try {
        DatabaseUpgrade::UpgradeDatabase(version, progress, {s.UserPath, s.MyPath, s.DataPath});
    } catch (const RuntimeError& e) {
        tellFailure(failure, e);
        window.unload();
        return false;
    }
    Prompts::MsgBox(doneMessage);
    return true;
}

}  // namespace

StartUpCheck checkAtStartUp(const Shell::SharedState& s, RebuildWindow& window,
                            const std::function<void()>& beforeTelling) {
    // Every window that shows the diary needs the database: without one the
    // program would only answer each date click with an error.
    const std::optional<int> read = readVersion(s, beforeTelling, QStringLiteral("\r\nQuillbyを終了します。"));
    if (!read) return StartUpCheck::Unreadable;
    const int version = *read;
    if (version >= Shell::kMinimumDBVersion) {
        // A diary from an earlier build still has the search index that only
        // this program can write through; replacing it now lets plug-ins and
        // other tools write the diary before any search has run. Rows that
        // others changed meanwhile wait for the first search, not for start-up.
        try {
            Database db(s.databasePath(), Database::Mode::ReadOnly);
            SearchIndex::replaceMissingOrEarlierIndex(db);
        } catch (const RuntimeError&) {
        }
        return StartUpCheck::Current;
    }
    if (beforeTelling) beforeTelling();
    Startup::prepareCustomizeForRebuild(s);
    Prompts::MsgBox(QStringLiteral("rarav.mdbがアップデートされています。\r\n"
                                   "データベースをアップデートします。\r\n"
                                   "(念のために、今までの「rarav.mdb」は「diarymdb.bak」というファイル名で保存します。)"));
    if (!rebuild(s, version, window, QStringLiteral("rarav.mdbのアップデートに失敗しました。"),
                 QStringLiteral("rarav.mdbのアップデートは完了しました。\r\n念のためにQuillbyを再起動してください。")))
        return StartUpCheck::NotRebuilt;
    RaravIni::write(s.RaravIniFile, RaravIni::DBVersion, QString::number(Shell::kMinimumDBVersion));
    window.unload();
    return StartUpCheck::Current;
}

bool optimize(const Shell::SharedState& s, RebuildWindow& window) {
    if (DatabaseUpgrade::isUpgrading()) return false;
    if (Prompts::MsgBox(QStringLiteral("rarav.mdbを最適化しますか？\r\n"
                                       "バックアップとして、現在のファイルを「diarymdb.bak」として保存します。"),
                        Prompts::vbYesNo) != Prompts::vbYes) {
        Prompts::MsgBox(QStringLiteral("rarav.mdbの最適化を中止しました。"));
        return false;
    }
    const std::optional<int> version = readVersion(s, {});
    if (!version) return false;
    if (!rebuild(s, *version, window, QStringLiteral("rarav.mdbの最適化に失敗しました。"),
                 QStringLiteral("rarav.mdbの最適化は完了しました。\r\n念のためにQuillbyを再起動してください。")))
        return false;
    window.unload();
    return true;
}

}  // namespace DatabaseMaintenance

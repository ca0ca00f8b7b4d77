// The rebuild of a diary in the oldest layout (version 0: days in the short
// form, no numbers, the options table) into the current one, as the start-up
// upgrade runs it, serving the event loop while it copies the rows: quietly,
// and through the real progress window with the backup taken first. 1,000
// entries a year; 20 years are 20,000 entries.
#include "platform/database.h"
#include "core/database_upgrade.h"
#include "shell/frm_db_updater.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Quiet : DatabaseUpgrade::UpgradeProgress {
    void log(const QString&) override {}
    void setMaximum(int) override {}
    void setValue(int) override {}
};

QString schema() {
    QFile f(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void makeVersion0(const QString& path, int entries) {
    QFile::remove(path);
    Database db(path, Database::Mode::Create);
    db.execScript(QStringLiteral(
        "CREATE TABLE Contents (Day TEXT, Title TEXT, Contents TEXT);"
        "CREATE TABLE FileDB (FileID INTEGER PRIMARY KEY AUTOINCREMENT, FileName TEXT, Day TEXT, Uploaded INTEGER,"
        " Logged INTEGER);"
        "CREATE TABLE \"Option\" (Header TEXT, Footer TEXT, Header_Log TEXT, Footer_Log TEXT);"
        "INSERT INTO \"Option\" VALUES ('<h1>日記</h1>', 'フッタ', '過去ログ', '');"));
    Transaction tx(db);
    const QString body = QString(QStringLiteral("今日は朝から良い天気で、近所の公園まで散歩に出かけました。")).repeated(20);
    for (int i = 0; i < entries; ++i) {
        // 1,000 entries a year: about three a day, on 28 days of each month.
        const int year = 2000 + i / 1000, month = i % 1000 / 84 + 1, day = i % 84 / 3 + 1;
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Title, Contents) VALUES (?, ?, ?)"),
                {QStringLiteral("%1/%2/%3").arg(year).arg(month).arg(day), QStringLiteral("題%1").arg(i),
                 body});
    }
    tx.commit();
}

// progress 0: quiet; 1: the window frmDBUpdater shown, after the backup.
void RebuildVersion0(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString folder = tmp.path() + QLatin1Char('/');
    {
        Database t(folder + QStringLiteral("default.mdb"), Database::Mode::Create);
        t.execScript(schema());
    }
    const int entries = int(state.range(0)) * 1000;
    const bool window = state.range(1) == 1;
    const DatabaseUpgrade::UpgradeFolders folders{folder, folder, folder};
    Quiet quiet;
    for (auto _ : state) {
        state.PauseTiming();
        makeVersion0(folder + QStringLiteral("rarav.mdb"), entries);
        state.ResumeTiming();
        if (window) {
            DatabaseUpgrade::BackupDatabase(folder);
            frmDBUpdater* w = frmDBUpdater::instance();
            w->show();
            DatabaseUpgrade::UpgradeDatabase(0, *w, folders);
            frmDBUpdater::unload();
        } else {
            DatabaseUpgrade::UpgradeDatabase(0, quiet, folders);
        }
    }
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(RebuildVersion0)
    ->ArgsProduct({{1, 10, 20}, {0, 1}})
    ->ArgNames({"years", "window"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

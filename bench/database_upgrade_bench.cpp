// Rebuild of a diary of 20,000 entries (current layout), as the optimise
// command runs it: every row through the progress interface and the event loop.
#include "platform/database.h"
#include "shell/database_upgrade.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Quiet : Module16::UpgradeProgress {
    void log(const QString&) override {}
    void setMaximum(int) override {}
    void setValue(int) override {}
};

QString schema() {
    QFile f(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void BM_Rebuild20000Entries(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString folder = tmp.path() + QLatin1Char('/');
    {
        Database t(folder + QStringLiteral("default.mdb"), Database::Mode::Create);
        t.execScript(schema());
    }
    QFile::copy(folder + QStringLiteral("default.mdb"), folder + QStringLiteral("rarav.mdb"));
    {
        Database db(folder + QStringLiteral("rarav.mdb"));
        Transaction tx(db);
        const QString body = QString(QStringLiteral("今日は晴れ。")).repeated(60);
        for (int i = 0; i < 20000; ++i)
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Weather, Genre, PublishTime) "
                                   "VALUES (?, ?, ?, ?, '晴', '一般', ?)"),
                    {QStringLiteral("%1/%2/%3").arg(1970 + i / 336).arg(i / 28 % 12 + 1, 2, 10, QLatin1Char('0'))
                         .arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                     1, QStringLiteral("題%1").arg(i), body, QStringLiteral("2004/01/01 00:00:00")});
        tx.commit();
    }
    const Module16::UpgradeFolders folders{folder, folder, folder};
    Quiet progress;
    for (auto _ : state) Module16::UpgradeDatabase(230, progress, folders);
    state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_Rebuild20000Entries)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

// What the user waits for when publishing, at 1, 10 and 20 years of daily
// entries, repeated in one process (bench/first_use_bench times the first
// run in a fresh one):
//   SaveHtml       Save HTML of the current month (month page, four feeds,
//                  upload list, parts copy, settings writes) whose pages are
//                  already on disk and unchanged
//   SaveHtmlAfterChange  the same after an entry of the month was changed
//   WholeArchive   every month turned into a log through the log maker, with
//                  no log page there yet
//   build/bench/site_bench --benchmark_min_time=1
#include "bench/bench_support.h"
#include "bench/diary_site.h"
#include "platform/database.h"
#include "publish/log_maker.h"
#include "publish/site_save.h"
#include "site/month_page.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

namespace {

struct Corpus {
    QTemporaryDir dir;
    Shell::SharedState state;
    explicit Corpus(int years) : state(DiarySite::make(dir.path(), years)) {}
};

Corpus& corpus(int years) {
    static std::map<int, std::unique_ptr<Corpus>> made;
    auto& c = made[years];
    if (!c) c = std::make_unique<Corpus>(years);
    Shell::state() = c->state;
    return *c;
}

void SaveHtml(benchmark::State& state) {
    corpus(int(state.range(0)));
    for (auto _ : state) SiteSave::SaveHTMLFiles(Shell::state());
}
BENCHMARK(SaveHtml)->Arg(1)->Arg(10)->Arg(20)->ArgName("years")->Unit(benchmark::kMillisecond);

void SaveHtmlAfterChange(benchmark::State& state) {
    Corpus& c = corpus(int(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Database(c.state.databasePath())
            .exec(QStringLiteral("UPDATE Contents SET Contents = Contents || ? WHERE Day = '2024/12/31' AND Number = 1"),
                  {QStringLiteral("追記%1。").arg(++round)});
        state.ResumeTiming();
        SiteSave::SaveHTMLFiles(Shell::state());
    }
}
BENCHMARK(SaveHtmlAfterChange)->Arg(1)->Arg(10)->Arg(20)->ArgName("years")->Unit(benchmark::kMillisecond);

void WholeArchive(benchmark::State& state) {
    const int years = int(state.range(0));
    const Corpus& c = corpus(years);
    const Publish::MonthPageWriter writer = [](const QString& path, const QString& month, int mode, bool list,
                                               bool withPrivate) {
        HTML0::MakeMonthPage(path, month, mode, list, withPrivate);
    };
    const QList<QDate> months = DiarySite::months(years);
    for (auto _ : state) {
        // As before the first log making: no log page anywhere, nothing queued.
        state.PauseTiming();
        BenchSupport::setAside(c.state.DataPath + QStringLiteral("RaravLog"), c.dir.path());
        BenchSupport::setAside(c.state.FilePath + QStringLiteral("RaravLog"), c.dir.path());
        QFile::remove(c.state.UserPath + QStringLiteral("uploadlog.tmp"));
        state.ResumeTiming();
        for (const QDate& m : months) Publish::makeLog(QString::number(m.year()), QString::number(m.month()), writer);
    }
    state.counters["months"] = years * 12;
}
BENCHMARK(WholeArchive)->Arg(1)->Arg(10)->Arg(20)->ArgName("years")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    BenchSupport::tuneAllocator();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Keyword search over ten years of daily entries, as the search window runs
// it: query, period filter, page writing.
#include "bench/diary_corpus.h"
#include "shell/shared_state.h"
#include "site/in_program_pages.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_SearchTenYears(benchmark::State& state) {
    QTemporaryDir dir;
    makeDiaryCorpus(dir.path() + QStringLiteral("/rarav.mdb"), QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"),
                    QDate(2015, 1, 1), QDate(2024, 12, 31));
    auto& s = Shell::state();
    s.UserPath = dir.path() + QStringLiteral("/");
    s.CustIniFile = dir.path() + QStringLiteral("/none.ini");
    const QString page = dir.path() + QStringLiteral("/findtmp.htm");
    int hits = 0;
    for (auto _ : state) {
        // A rare text (one day's title) and a common word (many bodies).
        hits = HTML0::MakeSearchResultPage(page, state.range(0) ? QStringLiteral("散歩") : QStringLiteral("12月31日のこと"),
                                           false, QString(), QString(), false, QString());
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}
BENCHMARK(BM_SearchTenYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

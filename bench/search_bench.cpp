// Keyword search as the search window runs it (query, period filter, page
// writing) at 1, 10 and 20 years of daily entries, repeated in one process
// (bench/first_use_bench times the first search in a fresh one), with
// Japanese keywords: a rare title, a two-character word no entry holds, a
// two-character word in the titles of some 90 entries a year, a word in every
// entry's text and a word in every title.
#include "bench/bench_support.h"
#include "bench/diary_corpus.h"
#include "platform/database.h"
#include "platform/search_index.h"
#include "core/shared_state.h"
#include "site/in_program_pages.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

struct Corpus {
    QTemporaryDir dir;
    explicit Corpus(int years) {
        makeDiaryCorpus(dir.path() + QStringLiteral("/rarav.mdb"), QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"),
                        QDate(2025 - years, 1, 1), QDate(2024, 12, 31));
        // The triggers only noted the written entries; the first search
        // indexes them all, once, as it would after an import.
        Database db(dir.path() + QStringLiteral("/rarav.mdb"), Database::Mode::ReadOnly);
        SearchIndex::ready(db);
    }
};

const char16_t* const kKeywords[] = {u"12月31日のこと", u"該当", u"1日", u"散歩", u"のこと"};

void Search(benchmark::State& state) {
    static std::map<int, std::unique_ptr<Corpus>> made;
    auto& c = made[int(state.range(0))];
    if (!c) c = std::make_unique<Corpus>(int(state.range(0)));
    auto& s = Shell::state();
    s.UserPath = c->dir.path() + QStringLiteral("/");
    s.CustIniFile = c->dir.path() + QStringLiteral("/none.ini");
    const QString page = c->dir.path() + QStringLiteral("/findtmp.htm");
    const QString keyword = QString::fromUtf16(kKeywords[state.range(1)]);
    int hits = 0;
    for (auto _ : state) {
        hits = HTML0::MakeSearchResultPage(page, keyword, false, QString(), QString(), false, QString());
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}
// keyword: 0 rare title, 1 none (該当), 2 two characters in some titles (1日),
// 3 in every text (散歩), 4 in every title (のこと).
BENCHMARK(Search)
    ->ArgsProduct({{1, 10, 20}, {0, 1, 2, 3, 4}})
    ->ArgNames({"years", "keyword"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    BenchSupport::tuneAllocator();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

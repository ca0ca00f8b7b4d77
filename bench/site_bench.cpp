// What the user waits for when publishing, at 1, 10 and 20 years of daily
// entries: Save HTML of the current month (month page, four feeds, upload
// list, parts copy, settings writes), and every past month turned into a log
// through the log maker.
//   build/bench/site_bench --benchmark_min_time=1
#include "bench/diary_corpus.h"
#include "platform/files.h"
#include "publish/log_maker.h"
#include "publish/site_save.h"
#include "core/shared_state.h"
#include "site/month_page.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

namespace {

const QDate kLastDay(2024, 12, 31);

// A user's folders over a diary of `years` years ending on kLastDay, with the
// shipped design set and converter rules and the feeds switched on.
struct Corpus {
    QTemporaryDir dir;
    Shell::SharedState state;

    explicit Corpus(int years) {
        const QString root = dir.path() + QLatin1Char('/');
        for (const char* f : {"data/Customize", "data/RaravParts", "data/RaravLog", "user", "prog", "site"})
            Files::makeFolder(root + QLatin1String(f));
        Shell::SharedState& s = state;
        s.DataPath = root + QStringLiteral("data/");
        s.UserPath = root + QStringLiteral("user/");
        s.MyPath = root + QStringLiteral("prog/");
        s.FilePath = root + QStringLiteral("site/");
        s.FileName = QStringLiteral("index.htm");
        s.CustIniFile = s.DataPath + QStringLiteral("Customize/Customize.ini");
        s.FrameIniFile = s.DataPath + QStringLiteral("Frame.ini");
        s.RSSIniFile = s.DataPath + QStringLiteral("RSS.ini");
        s.HaloScanIniFile = s.DataPath + QStringLiteral("HaloScan.ini");
        s.RaravIniFile = s.UserPath + QStringLiteral("rarav.ini");
        s.Today = s.EnterDay = QStringLiteral("2024/12/31");
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/Customize.ini"), s.CustIniFile);
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/JS_Log.txt"), s.MyPath + QStringLiteral("JS_Log.txt"));
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT_RSS.ini"),
                    s.MyPath + QStringLiteral("HTML2TXT_RSS.ini"));
        for (const char* gif : {"Shinny.gif", "Cloudy.gif", "Rainy.gif", "Thunder.gif", "Snowy.gif"})
            QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/") + QLatin1String(gif),
                        s.DataPath + QStringLiteral("RaravParts/") + QLatin1String(gif));
        Files::writeText(s.FrameIniFile, QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=7\nRaravOnTop=1\n"));
        Files::writeText(s.RSSIniFile, QStringLiteral("[GENERAL]\nRSSOn=1\n[Setting]\nTitle=日記\n"
                                                      "HPURL=http://example.jp/\nRaravURL=http://example.jp/diary/\n"
                                                      "Description=毎日の日記です。\n[RSS2.0]\nManagingAuthor=me@example.jp\n"
                                                      "WebMaster=me@example.jp\n[ATOM]\nAuthor=わたし\n"));
        makeDiaryCorpus(s.databasePath(), QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"),
                        QDate(kLastDay.year() - years + 1, 1, 1), kLastDay);
    }
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

void WholeArchive(benchmark::State& state) {
    const int years = int(state.range(0));
    corpus(years);
    const Publish::MonthPageWriter writer = [](const QString& path, const QString& month, int mode, bool list,
                                               bool withPrivate) {
        HTML0::MakeMonthPage(path, month, mode, list, withPrivate);
    };
    for (auto _ : state) {
        // As after an upload: nothing waits in the pending list, so every
        // month adds its pages to it.
        state.PauseTiming();
        QFile::remove(Shell::state().UserPath + QStringLiteral("uploadlog.tmp"));
        state.ResumeTiming();
        for (QDate m(kLastDay.year() - years + 1, 1, 1); m <= kLastDay; m = m.addMonths(1))
            Publish::makeLog(QString::number(m.year()), QString::number(m.month()), writer);
    }
    state.counters["months"] = years * 12;
}
BENCHMARK(WholeArchive)->Arg(1)->Arg(10)->Arg(20)->ArgName("years")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The site generator over ten years of entries: one month's page set, and
// the whole archive written one month at a time.
#include "bench/diary_corpus.h"
#include "platform/files.h"
#include "site/month_page.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>

namespace {

struct Corpus {
    QTemporaryDir dir;
    SiteContext ctx;
    QString site;

    Corpus() {
        const QString root = dir.path() + QLatin1Char('/');
        for (const char* f : {"data/Customize", "user", "prog", "site", "site/RaravLog"})
            Files::makeFolder(root + QLatin1String(f));
        ctx.dataPath = root + QStringLiteral("data/");
        ctx.userPath = root + QStringLiteral("user/");
        ctx.myPath = root + QStringLiteral("prog/");
        ctx.custIni = ctx.dataPath + QStringLiteral("Customize/Customize.ini");
        ctx.frameIni = ctx.dataPath + QStringLiteral("Frame.ini");
        ctx.rssIni = ctx.dataPath + QStringLiteral("RSS.ini");
        ctx.haloScanIni = ctx.dataPath + QStringLiteral("HaloScan.ini");
        ctx.databasePath = ctx.userPath + QStringLiteral("rarav.mdb");
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/Customize.ini"), ctx.custIni);
        QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/JS_Log.txt"), ctx.myPath + QStringLiteral("JS_Log.txt"));
        Files::writeText(ctx.frameIni, QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=7\nRaravOnTop=1\n"));
        makeDiaryCorpus(ctx.databasePath, QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"), QDate(2001, 1, 1),
                        QDate(2010, 12, 31));
        site = root + QStringLiteral("site/");
    }
};

Corpus& corpus() {
    static Corpus c;
    return c;
}

void OneMonthPageSet(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state)
        HTML0::MakeMonthPage(c.ctx, c.site + QStringLiteral("index.htm"), QStringLiteral("2010/12"), 1, true, false,
                             nullptr);
}
BENCHMARK(OneMonthPageSet)->Unit(benchmark::kMillisecond);

void WholeArchive(benchmark::State& state) {
    Corpus& c = corpus();
    for (auto _ : state) {
        for (QDate m(2001, 1, 1); m.year() <= 2010; m = m.addMonths(1))
            HTML0::MakeMonthPage(c.ctx, c.site + QStringLiteral("RaravLog/") + m.toString(QStringLiteral("yyyyMM")) +
                                            QStringLiteral(".htm"),
                                 m.toString(QStringLiteral("yyyy/MM")), 2, true, false, nullptr);
    }
}
BENCHMARK(WholeArchive)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

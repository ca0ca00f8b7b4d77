// What the user waits for the first time after starting the program: each
// sample is a fresh process (this program run again as a child), which does
// with the diary what the program's start-up does (reads the folders from
// rarav.ini, makes the month's preview page for the browser, shows the day's
// entries), then times one operation on the diary already on disk and prints
// the microseconds.
//   FirstSaveHtml      Save HTML of the current month with its feeds, the
//                      pages already written: nothing changed (0), an entry
//                      of the month changed by another client before the
//                      start (1), or changed in the program as the user
//                      does, the entry saved through the entry store
//                      first (2)
//   FirstArchive       every month made a past log, no log page there yet
//   FirstSearch        a search page: a rare title (21 hits), a
//                      two-character word (~900 hits), a word in every entry's
//                      text and one in every title
//   build/bench/first_use_bench
// The child alone: first_use_bench --child <root> save|edited|archive <years>|search <n>
// A site for other programs (bench/hugo_peer.sh): first_use_bench --make <root> <years>
#include "bench/diary_site.h"
#include "bench/bench_support.h"
#include "core/rarav_ini.h"
#include "platform/database.h"
#include "publish/log_maker.h"
#include "publish/site_save.h"
#include "site/in_program_pages.h"
#include "site/month_page.h"
#include "writing/entry_store.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <map>
#include <memory>

namespace {

constexpr int kSamples = 11;
const char16_t* const kKeywords[] = {u"12月31日のこと", u"1日", u"散歩", u"のこと"};

// --- the child -------------------------------------------------------------

// What start-up does with the diary before the user can ask for anything.
std::optional<Entry> startUp(const QString& root) {
    Shell::state() = DiarySite::stateAt(root);
    for (const RaravIni::TextKey& k : {RaravIni::DataPath, RaravIni::SaveFilePath, RaravIni::SaveFileName})
        RaravIni::read(Shell::state().RaravIniFile, k);
    SiteSave::SaveTmpFile(Shell::state());
    const EntryStore store(Shell::state().databasePath());
    store.entriesOf(Shell::state().Today);
    return store.load(Shell::state().Today, 1);
}

qint64 timeSave() {
    QElapsedTimer t;
    t.start();
    SiteSave::SaveHTMLFiles(Shell::state());
    return t.nsecsElapsed() / 1000;
}

// The user's way to the first save: the day's first entry, as start-up
// showed it, is changed and saved, then Save HTML.
qint64 timeEditedSave(const std::optional<Entry>& shown) {
    Entry e = *shown;
    e.contents += QStringLiteral("追記。");
    EntryStore(Shell::state().databasePath()).save(e, QDateTime::currentDateTime(), shown);
    return timeSave();
}

qint64 timeArchive(int years) {
    const Publish::MonthPageWriter writer = [](const QString& path, const QString& month, int mode, bool list,
                                               bool withPrivate) {
        HTML0::MakeMonthPage(path, month, mode, list, withPrivate);
    };
    const QList<QDate> months = DiarySite::months(years);
    QElapsedTimer t;
    t.start();
    for (const QDate& m : months) Publish::makeLog(QString::number(m.year()), QString::number(m.month()), writer);
    return t.nsecsElapsed() / 1000;
}

qint64 timeSearch(const QString& root, int keyword) {
    const QString page = root + QStringLiteral("/user/findtmp.htm");
    QElapsedTimer t;
    t.start();
    const int hits = HTML0::MakeSearchResultPage(page, QString::fromUtf16(kKeywords[keyword]), false, QString(),
                                                 QString(), false, QString());
    const qint64 us = t.nsecsElapsed() / 1000;
    std::fprintf(stderr, "hits %d\n", hits);
    return us;
}

int child(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchSupport::tuneAllocator();
    const QString root = QString::fromLocal8Bit(argv[2]);
    const QByteArray op = argv[3];
    const int arg = argc > 4 ? std::atoi(argv[4]) : 0;
    const std::optional<Entry> shown = startUp(root);
    qint64 us = -1;
    if (op == "save") us = timeSave();
    if (op == "edited") us = timeEditedSave(shown);
    if (op == "archive") us = timeArchive(arg);
    if (op == "search") us = timeSearch(root, arg);
    std::printf("%lld\n", static_cast<long long>(us));
    return us < 0 ? 2 : 0;
}

// --- the parent ------------------------------------------------------------

QString self;

struct Site {
    QTemporaryDir dir;
    int years;
    // The diary has long been on disk when the user works with it: its
    // making is not still being written back while the samples run.
    explicit Site(int y) : years(y) {
        DiarySite::make(dir.path(), years);
        ::sync();
    }
    QString root() const { return dir.path(); }
};

Site& site(int years) {
    static std::map<int, std::unique_ptr<Site>> made;
    auto& s = made[years];
    if (!s) s = std::make_unique<Site>(years);
    return *s;
}

// Runs one child and hands its time to the benchmark, unless it only
// prepares the samples.
void sample(benchmark::State& state, const QStringList& args, int* hits = nullptr, bool timed = true) {
    QProcess p;
    p.start(self, QStringList{QStringLiteral("--child")} + args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        state.SkipWithError(("child failed: " + p.readAllStandardError()).constData());
        return;
    }
    const double us = p.readAllStandardOutput().trimmed().toDouble();
    if (timed) state.SetIterationTime(us / 1e6);
    const QByteArray err = p.readAllStandardError();
    if (hits && err.startsWith("hits ")) *hits = err.mid(5).trimmed().toInt();
}

void changeAnEntry(const Site& s) {
    static int round = 0;
    Database db(DiarySite::stateAt(s.root()).databasePath());
    db.exec(QStringLiteral("UPDATE Contents SET Contents = Contents || ? WHERE Day = '2024/12/31' AND Number = 1"),
            {QStringLiteral("追記%1。").arg(++round)});
}

void FirstSaveHtml(benchmark::State& state) {
    Site& s = site(10);
    const int changed = int(state.range(0));
    // The pages of the month are there, as after any earlier save.
    sample(state, {s.root(), QStringLiteral("save")}, nullptr, false);
    for (auto _ : state) {
        if (changed == 1) changeAnEntry(s);
        sample(state, {s.root(), changed == 2 ? QStringLiteral("edited") : QStringLiteral("save")});
    }
}

void FirstArchive(benchmark::State& state) {
    const int years = int(state.range(0));
    Site& s = site(years);
    const Shell::SharedState paths = DiarySite::stateAt(s.root());
    for (auto _ : state) {
        // As before the first log making: no log page anywhere, nothing queued.
        BenchSupport::setAside(paths.DataPath + QStringLiteral("RaravLog"), s.root());
        BenchSupport::setAside(paths.FilePath + QStringLiteral("RaravLog"), s.root());
        QFile::remove(paths.UserPath + QStringLiteral("uploadlog.tmp"));
        // No month is recorded as made yet: each one pays its insert and commit.
        Database(paths.databasePath()).exec(QStringLiteral("DELETE FROM LogDB"));
        sample(state, {s.root(), QStringLiteral("archive"), QString::number(years)});
    }
    state.counters["months"] = years * 12;
}

void FirstSearch(benchmark::State& state) {
    Site& s = site(10);
    int hits = 0;
    // The diary is indexed, as after the program's first search.
    sample(state, {s.root(), QStringLiteral("search"), QStringLiteral("0")}, nullptr, false);
    for (auto _ : state) sample(state, {s.root(), QStringLiteral("search"), QString::number(state.range(0))}, &hits);
    state.counters["hits"] = hits;
}

#define SAMPLES(b) BENCHMARK(b)->UseManualTime()->Apply(BenchSupport::wholeRuns<kSamples>)
SAMPLES(FirstSaveHtml)->DenseRange(0, 2)->ArgName("changed");
SAMPLES(FirstArchive)->Arg(10)->Arg(20)->ArgName("years");
// keyword: 0 rare title, 1 two characters (~900 hits), 2 in every text, 3 in every title.
SAMPLES(FirstSearch)->DenseRange(0, 3)->ArgName("keyword");

}  // namespace

int main(int argc, char** argv) {
    if (argc > 3 && std::strcmp(argv[1], "--child") == 0) return child(argc, argv);
    QCoreApplication app(argc, argv);
    if (argc > 3 && std::strcmp(argv[1], "--make") == 0) {
        DiarySite::make(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
        return 0;
    }
    self = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

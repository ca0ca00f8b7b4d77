// Start-up as the user waits for it: from the exec of build/bin/Rarav to its
// main window mapped, and a second instance's run to its exit while the first
// one is open, beside a bare Qt window program (bench/bare_window) started the
// same way. The programs run under QT_QPA_PLATFORM=offscreen, or on the X
// display when DISPLAY is set. The moment of mapping is reported by a Qt
// plug-in loaded into the started program (bench/mapped_probe).
//   build/bench/startup_bench
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kSamples = 15;
const QString kBin = QStringLiteral(RARAV_BIN_DIR "/");
const QString kBench = QStringLiteral(RARAV_BENCH_DIR "/");

qint64 monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// A program folder of its own (RARAV_HOME) with the shipped files of the
// build's, so that the runs leave the build's alone.
struct Home {
    QTemporaryDir dir;
    QString probeFile;
    Home() {
        QDirIterator it(kBin, QDir::Files, QDirIterator::Subdirectories);
        const QDir base(kBin);
        while (it.hasNext()) {
            const QString from = it.next();
            if (QFileInfo(from).isExecutable()) continue;
            const QString to = dir.path() + QLatin1Char('/') + base.relativeFilePath(from);
            QDir().mkpath(QFileInfo(to).absolutePath());
            QFile::copy(from, to);
        }
        probeFile = dir.path() + QStringLiteral("/mapped.txt");
    }
};

Home& home() {
    static Home h;
    return h;
}

struct Child {
    pid_t pid = -1;
    qint64 started = 0;
};

Child spawn(const QString& program, bool probe, bool stay) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("QT_QPA_GENERIC_PLUGINS=", 0) == 0 || v.rfind("RARAV_PROBE_", 0) == 0 ||
            v.rfind("RARAV_HOME=", 0) == 0 || v.rfind("QT_PLUGIN_PATH=", 0) == 0)
            continue;
        env.push_back(v);
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("RARAV_HOME=" + home().dir.path().toStdString());
    if (probe) {
        env.push_back("QT_PLUGIN_PATH=" + (kBench + QStringLiteral("plugins")).toStdString());
        env.push_back("QT_QPA_GENERIC_PLUGINS=mappedprobe");
        env.push_back("RARAV_PROBE_FILE=" + home().probeFile.toStdString());
        if (stay) env.push_back("RARAV_PROBE_STAY=1");
    }
    std::vector<char*> envp;
    for (std::string& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string path = program.toStdString();
    char* argv[] = {path.data(), nullptr};
    QFile::remove(home().probeFile);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Child c;
    c.started = monotonicNs();
    if (posix_spawn(&c.pid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0) c.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return c;
}

// The moment the child's main window was mapped, or 0 when it ended or did
// not map within a minute.
qint64 waitMapped(const Child& c, bool untilExit) {
    const qint64 deadline = monotonicNs() + 60000000000LL;
    qint64 mapped = 0;
    while (monotonicNs() < deadline) {
        QFile f(home().probeFile);
        if (!mapped && f.open(QIODevice::ReadOnly)) {
            const QByteArray text = f.readAll();
            if (text.endsWith('\n')) mapped = text.trimmed().toLongLong();
        }
        if (mapped && !untilExit) return mapped;
        int status = 0;
        if (waitpid(c.pid, &status, WNOHANG) == c.pid) return mapped;
        QThread::usleep(500);
    }
    kill(c.pid, SIGKILL);
    waitpid(c.pid, nullptr, 0);
    return 0;
}

void timeToMapped(benchmark::State& state, const QString& program) {
    // The first run seeds the user folder; the samples are ordinary starts.
    waitMapped(spawn(program, true, false), true);
    for (auto _ : state) {
        const Child c = spawn(program, true, false);
        const qint64 mapped = waitMapped(c, true);
        if (mapped == 0) {
            state.SkipWithError("the main window was never mapped");
            return;
        }
        state.SetIterationTime(double(mapped - c.started) / 1e9);
    }
}

void BareQtWindow(benchmark::State& state) { timeToMapped(state, kBench + QStringLiteral("bare_window")); }

void RaravStartUp(benchmark::State& state) { timeToMapped(state, kBin + QStringLiteral("Rarav")); }

void RaravSecondInstance(benchmark::State& state) {
    const QString program = kBin + QStringLiteral("Rarav");
    const Child first = spawn(program, true, true);
    if (waitMapped(first, false) == 0) {
        state.SkipWithError("the first instance never mapped its window");
        return;
    }
    for (auto _ : state) {
        const Child second = spawn(program, false, false);
        int status = 0;
        waitpid(second.pid, &status, 0);
        state.SetIterationTime(double(monotonicNs() - second.started) / 1e9);
    }
    kill(first.pid, SIGTERM);
    waitpid(first.pid, nullptr, 0);
}

#define SAMPLES(b) BENCHMARK(b)->UseManualTime()->Apply(BenchSupport::wholeRuns<kSamples>)
SAMPLES(BareQtWindow);
SAMPLES(RaravStartUp);
SAMPLES(RaravSecondInstance);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

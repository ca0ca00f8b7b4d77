#pragma once
// What every benchmark program shares.
#include "platform/allocator.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QUuid>
#include <algorithm>
#include <vector>

namespace BenchSupport {

// The programs keep freed memory for reuse from the start of main(); so do
// the benchmarks that time their code.
inline void tuneAllocator() { Allocator::keepFreedMemoryForReuse(); }

// The slowest run beside the median, so that a stall cannot hide.
inline double slowest(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); }

// Each repetition is one whole operation, timed once: the median and the
// slowest of `runs` of them are reported.
template <int runs>
void wholeRuns(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(runs)->ComputeStatistics("slowest", slowest)
        ->ReportAggregatesOnly(true);
}

// Moves a folder out of the way under root/set-aside/ instead of deleting it:
// a file system that has just freed hundreds of inodes searches long for new
// ones, which would charge the next timed run for the benchmark's own
// clean-up. The files go with the temporary folder at the end.
inline void setAside(const QString& folder, const QString& root) {
    QDir().mkpath(root + QStringLiteral("/set-aside"));
    QDir().rename(folder, root + QStringLiteral("/set-aside/") + QUuid::createUuid().toString(QUuid::WithoutBraces));
}

}  // namespace BenchSupport

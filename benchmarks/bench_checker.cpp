// What the scenario checker costs per line, for a scenario whose every line names
// a picture that is missing from a folder of 200 files: the worst case for the
// file lookups, and one finding per line. The time per line should not grow with
// the length of the scenario.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ScenarioChecker.h"

namespace {

// A story of label 1, one line made by `line` for each step of the range, and
// its end; the checker is timed on the folder it is written in.
template <typename Line>
void CheckStory(benchmark::State& state, const QTemporaryDir& dir, Line line) {
    QFile scenario(dir.filePath(QStringLiteral("Lanternwick.dat")));
    scenario.open(QIODevice::WriteOnly);
    scenario.write("_00001\r\n");
    for (int64_t i = 0; i < state.range(0); ++i)
        scenario.write(line(i));
    scenario.write("next     -1\r\n_\r\n");
    scenario.close();
    for (auto _ : state) {
        const CheckReport report = CheckScenario(dir.path());
        benchmark::DoNotOptimize(report.findings.size());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CheckMissingPictures(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 0; i < 200; ++i) {
        QFile(dir.filePath(QStringLiteral("picture%1.JPG").arg(i))).open(QIODevice::WriteOnly);
    }
    CheckStory(state, dir,
               [](int64_t i) { return i % 50 == 49 ? "keywait \r\n" : "cg       nothere\r\n"; });
}
BENCHMARK(BM_CheckMissingPictures)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One finding on every line, from the line checks (an unknown command) or from
// the story's flow (a choice over buttons never cleared, each a run of its own).
void CheckEveryLine(benchmark::State& state, const char* line) {
    const QTemporaryDir dir;
    CheckStory(state, dir, [line](int64_t) { return line; });
}
void BM_CheckUnsupportedLines(benchmark::State& state) { CheckEveryLine(state, "xyzzy    a\r\n"); }
void BM_CheckChoiceWaits(benchmark::State& state) { CheckEveryLine(state, "botwait \r\n"); }
BENCHMARK(BM_CheckUnsupportedLines)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CheckChoiceWaits)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

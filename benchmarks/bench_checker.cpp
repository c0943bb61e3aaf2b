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

void BM_CheckMissingPictures(benchmark::State& state) {
    QTemporaryDir dir;
    for (int i = 0; i < 200; ++i) {
        QFile(dir.filePath(QStringLiteral("picture%1.JPG").arg(i))).open(QIODevice::WriteOnly);
    }
    QFile scenario(dir.filePath(QStringLiteral("Lanternwick.dat")));
    scenario.open(QIODevice::WriteOnly);
    scenario.write("_00001\r\n");
    for (int64_t i = 0; i < state.range(0); ++i) {
        scenario.write(i % 50 == 49 ? "keywait \r\n" : "cg       nothere\r\n");
    }
    scenario.write("next     -1\r\n_\r\n");
    scenario.close();
    for (auto _ : state) {
        const CheckReport report = CheckScenario(dir.path());
        benchmark::DoNotOptimize(report.findings.size());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CheckMissingPictures)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

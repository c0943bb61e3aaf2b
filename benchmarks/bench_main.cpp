#include <benchmark/benchmark.h>

#include <QtGlobal>

#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    PlatformApplication application(argc, argv);
    InterceptProgramEnd(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

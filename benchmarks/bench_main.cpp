#include <benchmark/benchmark.h>

#include <QtGlobal>

#include "platform/PlatformSetup.h"
#include "platform/ProgramEnd.h"

int main(int argc, char** argv) {
    // A screen of 1920 x 1080, for the fullscreen figures.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" LANTERNWICK_DESKTOP_SCREEN);
    PlatformApplication application(argc, argv);
    InterceptProgramEnd(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

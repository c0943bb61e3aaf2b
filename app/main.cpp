#include <cstdio>
#include <cstdlib>

#include "platform/PlatformSetup.h"
#include "shell/Main.h"
#include "shell/StartOptions.h"

namespace {

// Reads the command line before any window exists, so that --help and --version
// work without a display. Returns the options, or ends the process.
StartOptions StartOptionsOrExit(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineResult result = ReadCommandLine(arguments);
    if (result.options) return *result.options;
    std::fputs(result.output.toLocal8Bit().constData(), stdout);
    std::fputs(result.error.toLocal8Bit().constData(), stderr);
    std::exit(result.exitStatus);
}

}  // namespace

int main(int argc, char** argv) {
    const StartOptions options = StartOptionsOrExit(argc, argv);
    PlatformApplication application(argc, argv);
    Main(options);
    // The game ends only through its own end-the-program step; the event loop
    // does not end it when the window closes.
    return application.exec();
}

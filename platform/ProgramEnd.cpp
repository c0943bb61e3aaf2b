#include "platform/ProgramEnd.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/TextFile.h"

namespace {

bool g_intercepted = false;
int g_endCount = 0;
bool g_exitGuardArmed = false;

void OnForeignExit() {
    if (!g_exitGuardArmed || g_endCount > 0) return;
    std::fputs("lanternwick: the window system ended the program (was the display closed?).\n",
               stderr);
    EndProgram(1);
}

// Never destroyed, like everything the steps touch: when the toolkit calls
// exit(), the statics made after the exit guard was registered are destroyed
// before the guard runs the steps.
std::vector<std::function<void()>>& ShutdownSteps() {
    static auto* steps = new std::vector<std::function<void()>>;
    return *steps;
}

}  // namespace

void EndProgram(int exitCode) {
    ++g_endCount;
    CloseAllFiles();
    if (g_intercepted) return;
    for (auto& step : ShutdownSteps())
        step();
    std::fflush(nullptr);
    _exit(exitCode);
}

bool ProgramHasEnded() { return g_endCount > 0; }

void AddShutdownStep(std::function<void()> step) { ShutdownSteps().push_back(std::move(step)); }

void InterceptProgramEnd(bool intercept) { g_intercepted = intercept; }

bool ProgramEndIntercepted() { return g_intercepted; }

void ResetProgramEnd() { g_endCount = 0; }

int ProgramEndCount() { return g_endCount; }

void ArmExitGuard(bool armed) {
    static const bool registered = std::atexit(OnForeignExit) == 0;
    static_cast<void>(registered);
    g_exitGuardArmed = armed;
}

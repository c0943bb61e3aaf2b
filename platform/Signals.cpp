#include "platform/Signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>

#include "platform/ProgramEnd.h"

namespace {

// The write end is used by the handler, the read end by the event loop: a
// handler may do next to nothing, the event loop may do anything.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_pending = 0;

int ExitStatusFor(int signal) { return signal == SIGINT ? 130 : 0; }

void OnSignal(int signal) {
    // A test program intercepts the end and may never return to its event
    // loop: the signal takes its default action there (Ctrl+C stops the tests).
    if (ProgramEndIntercepted()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    // A second signal while the first is still waiting for the event loop: the
    // program is stuck somewhere that never gets there, so end it from here.
    if (g_pending != 0) _exit(ExitStatusFor(signal));
    g_pending = signal;
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void EndForPendingSignal() {
    char bytes[16];
    while (read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    const int signal = g_pending;
    if (signal == 0) return;
    EndProgram(ExitStatusFor(signal));
}

}  // namespace

void InstallSignalHandlers() {
    if (g_pipe[0] >= 0) return;
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier =
        new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { EndForPendingSignal(); });

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void SleepUnlessSignalled(int ms) {
    if (g_pipe[0] < 0) {
        QThread::msleep(static_cast<unsigned long>(ms > 0 ? ms : 0));
        return;
    }
    pollfd wake = {g_pipe[0], POLLIN, 0};
    // A signal interrupts poll itself; it is then read from the pipe.
    poll(&wake, 1, ms > 0 ? ms : 0);
    if (g_pending != 0) EndForPendingSignal();
}

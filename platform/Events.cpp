#include "platform/Events.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
int g_holds = 0;
std::function<void()> g_deferredClose;
}  // namespace

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

StoryHold::StoryHold() { ++g_holds; }

StoryHold::~StoryHold() {
    if (--g_holds > 0 || !g_deferredClose) return;
    // Posted rather than called: the quit question must not open in the middle
    // of the command that held the story, but when the story next yields.
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), std::move(g_deferredClose));
    g_deferredClose = nullptr;
}

bool StoryIsHeld() { return g_holds > 0; }

void ProcessHeldEvents() {
    // Timers are left out as well as input: the game's timers (animation, music
    // monitors) must not tick while a voice or the ending holds the story.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
}

void DeferCloseUntilHoldEnds(std::function<void()> raiseAgain) {
    g_deferredClose = std::move(raiseAgain);
}

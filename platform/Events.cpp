#include "platform/Events.h"

#include <QCoreApplication>
#include <QTimer>

#include <vector>

namespace {
int g_holds = 0;
std::vector<std::function<void()>> g_deferred;
}  // namespace

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

StoryHold::StoryHold() { ++g_holds; }

StoryHold::~StoryHold() {
    if (--g_holds > 0 || g_deferred.empty()) return;
    // Posted rather than called: what the player asked for must not run in the
    // middle of the command that held the story, but when the story next yields.
    std::vector<std::function<void()>> actions;
    actions.swap(g_deferred);
    if (!QCoreApplication::instance()) return;
    for (auto& action : actions)
        QTimer::singleShot(0, QCoreApplication::instance(), std::move(action));
}

bool StoryIsHeld() { return g_holds > 0; }

void ProcessHeldEvents() {
    // Input is taken now rather than left queued: held back, a press made during
    // a voice would reach the window only after the story had come to its next
    // wait, and read on past it. The game's timers (animation, music monitors)
    // must not tick while a voice or the ending holds the story.
    QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
}

void DeferUntilHoldEnds(std::function<void()> action) { g_deferred.push_back(std::move(action)); }

#include "platform/Clock.h"

#include <QDateTime>
#include <QElapsedTimer>

#include <algorithm>

#include "platform/Events.h"
#include "platform/Signals.h"
#include "platform/TimerDriver.h"

namespace {

class SystemClock : public Clock {
  public:
    SystemClock() { elapsed_.start(); }
    int64_t milliseconds() override { return elapsed_.elapsed(); }
    int64_t timeOfDayMilliseconds() override { return QTime::currentTime().msecsSinceStartOfDay(); }
    // The waits that process no events sleep here: a signal must still end them.
    void sleepFor(int ms) override { SleepUnlessSignalled(ms); }
    void holdFor(int ms) override {
        // A repaint or a window manager's ping waits at most one slice.
        constexpr int64_t kSliceMs = 10;
        const int64_t end = elapsed_.elapsed() + ms;
        for (int64_t now = elapsed_.elapsed(); now < end; now = elapsed_.elapsed()) {
            ProcessHeldEvents();
            SleepUnlessSignalled(static_cast<int>(std::min(kSliceMs, end - now)));
        }
    }

  private:
    QElapsedTimer elapsed_;
};

Clock* g_installed = nullptr;

}  // namespace

Clock& CurrentClock() {
    static SystemClock system;
    return g_installed ? *g_installed : system;
}

void SetClock(Clock* clock) { g_installed = clock; }

int64_t SteppedClock::timeOfDayMilliseconds() {
    return (static_cast<int64_t>(dayStart_) * 1000 + now_) % 86400000;
}

void SteppedClock::advance(int64_t ms) {
    const int64_t target = now_ + ms;
    int64_t due = 0;
    while (NextSteppedTimerDue(target, &due)) {
        if (due > now_) now_ = due;
        FireSteppedTimersDueAt(now_);
    }
    // A handler that held the story (a voice) took the time past the target:
    // the clock never goes back.
    if (now_ < target) now_ = target;
}

void SteppedClock::holdFor(int ms) {
    ProcessHeldEvents();
    sleepFor(ms);
}

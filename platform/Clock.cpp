#include "platform/Clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

#include "platform/TimerDriver.h"

namespace {

class SystemClock : public Clock {
  public:
    SystemClock() { elapsed_.start(); }
    int64_t milliseconds() override { return elapsed_.elapsed(); }
    int timeOfDaySeconds() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000; }
    void sleepFor(int ms) override { QThread::msleep(static_cast<unsigned long>(ms)); }

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

int SteppedClock::timeOfDaySeconds() { return static_cast<int>((dayStart_ + now_ / 1000) % 86400); }

void SteppedClock::advance(int64_t ms) {
    const int64_t target = now_ + ms;
    int64_t due = 0;
    while (NextSteppedTimerDue(target, &due)) {
        if (due > now_) now_ = due;
        FireSteppedTimersDueAt(now_);
    }
    now_ = target;
}

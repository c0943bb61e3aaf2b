#include "platform/Timer.h"

#include <QTimer>

#include <algorithm>
#include <vector>

#include "platform/Clock.h"
#include "platform/TimerDriver.h"

struct PeriodicTimer::Impl {
    int interval = 0;
    QString tag;
    std::function<void()> handler;
    QTimer qtimer;
    int64_t nextDue = 0;  // under a stepped clock
    bool running = false;
    bool inHandler = false;

    // Whether the stepped clock should deliver a tick at or before `limit`.
    bool steppedTickDueBy(int64_t limit) const {
        return running && !inHandler && !qtimer.isActive() && nextDue <= limit;
    }

    void tick() {
        if (inHandler || !handler) return;
        inHandler = true;
        handler();
        inHandler = false;
    }
};

namespace {

std::vector<PeriodicTimer::Impl*>& AllTimers() {
    static std::vector<PeriodicTimer::Impl*> timers;
    return timers;
}

}  // namespace

PeriodicTimer::PeriodicTimer() : impl_(std::make_unique<Impl>()) {
    impl_->qtimer.setTimerType(Qt::PreciseTimer);
    Impl* impl = impl_.get();
    QObject::connect(&impl_->qtimer, &QTimer::timeout, [impl] { impl->tick(); });
    AllTimers().push_back(impl);
}

PeriodicTimer::~PeriodicTimer() {
    auto& timers = AllTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
}

void PeriodicTimer::setInterval(int ms) {
    impl_->interval = std::max(ms, 0);
    impl_->qtimer.stop();
    impl_->running = impl_->interval > 0;
    if (!impl_->running) return;
    if (CurrentClock().drivesTimers()) {
        impl_->nextDue = CurrentClock().milliseconds() + impl_->interval;
    } else {
        impl_->qtimer.start(impl_->interval);
    }
}

int PeriodicTimer::interval() const { return impl_->interval; }

void PeriodicTimer::setTag(const QString& tag) { impl_->tag = tag; }

QString PeriodicTimer::tag() const { return impl_->tag; }

void PeriodicTimer::onTick(std::function<void()> handler) { impl_->handler = std::move(handler); }

bool NextSteppedTimerDue(int64_t limit, int64_t* due) {
    bool any = false;
    for (PeriodicTimer::Impl* t : AllTimers()) {
        if (!t->steppedTickDueBy(limit)) continue;
        if (!any || t->nextDue < *due) *due = t->nextDue;
        any = true;
    }
    return any;
}

void FireSteppedTimersDueAt(int64_t now) {
    // Handlers may start, stop or destroy timers: take a snapshot and re-check each.
    std::vector<PeriodicTimer::Impl*> due;
    for (PeriodicTimer::Impl* t : AllTimers()) {
        if (t->steppedTickDueBy(now)) due.push_back(t);
    }
    for (PeriodicTimer::Impl* t : due) {
        auto& timers = AllTimers();
        if (std::find(timers.begin(), timers.end(), t) == timers.end()) continue;
        if (!t->steppedTickDueBy(now)) continue;
        t->nextDue = now + t->interval;
        t->tick();
    }
}

#include "platform/Timer.h"

#include <QTimer>

#include <algorithm>
#include <vector>

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/TimerDriver.h"

struct PeriodicTimer::Impl {
    int interval = 0;
    QString tag;
    std::function<void()> handler;
    QTimer* qtimer = new QTimer;  // deleted by ~PeriodicTimer, later when it is ticking
    int64_t nextDue = 0;          // under a stepped clock
    uint64_t serial = 0;          // tells this timer from a later one at the same address
    bool running = false;
    bool inHandler = false;
    bool holding = false;  // the QTimer runs at a moved tick's delay, not the interval
    // Expires with the timer, so that a tick can tell whether its handler destroyed it.
    std::shared_ptr<bool> lifetime = std::make_shared<bool>(true);

    // Whether the stepped clock should deliver a tick at or before `limit`.
    bool steppedTickDueBy(int64_t limit) const {
        return running && !inHandler && !qtimer->isActive() && nextDue <= limit;
    }

    void tick() {
        if (holding) {
            holding = false;
            qtimer->start(interval);
        }
        // A voice or the ending holds the story, and a box asked meanwhile (the
        // quit question) runs an event loop of its own: the game's timers wait.
        if (inHandler || !handler || StoryIsHeld()) return;
        // The handler may destroy this timer (the window that owns it goes away):
        // run a copy, and touch nothing of ours afterwards unless it survived.
        const std::function<void()> run = handler;
        const std::weak_ptr<bool> alive = lifetime;
        inHandler = true;
        run();
        if (alive.expired()) return;
        inHandler = false;
    }
};

namespace {

// Never destroyed: timers owned by other statics (the sound window's) remove
// themselves during exit, in whatever order the statics go.
std::vector<PeriodicTimer::Impl*>& AllTimers() {
    static auto* timers = new std::vector<PeriodicTimer::Impl*>;
    return *timers;
}

uint64_t g_lastSerial = 0;

}  // namespace

PeriodicTimer::PeriodicTimer() : impl_(std::make_unique<Impl>()) {
    impl_->qtimer->setTimerType(Qt::PreciseTimer);
    impl_->serial = ++g_lastSerial;
    Impl* impl = impl_.get();
    QObject::connect(impl_->qtimer, &QTimer::timeout, [impl] { impl->tick(); });
    AllTimers().push_back(impl);
}

PeriodicTimer::~PeriodicTimer() {
    auto& timers = AllTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), impl_.get()), timers.end());
    impl_->qtimer->stop();
    QObject::disconnect(impl_->qtimer, nullptr, nullptr, nullptr);
    // Destroyed by its own handler, the QTimer is still inside its timeout signal.
    if (impl_->inHandler) {
        impl_->qtimer->deleteLater();
    } else {
        delete impl_->qtimer;
    }
}

void PeriodicTimer::setInterval(int ms) {
    impl_->interval = std::max(ms, 0);
    impl_->qtimer->stop();
    impl_->holding = false;
    impl_->running = impl_->interval > 0;
    if (!impl_->running) return;
    if (CurrentClock().drivesTimers()) {
        impl_->nextDue = CurrentClock().milliseconds() + impl_->interval;
    } else {
        impl_->qtimer->start(impl_->interval);
    }
}

int PeriodicTimer::interval() const { return impl_->interval; }

void PeriodicTimer::setNextTickIn(int ms) {
    if (!impl_->running || ms < 1) return;
    if (CurrentClock().drivesTimers()) {
        impl_->nextDue = CurrentClock().milliseconds() + ms;
    } else {
        impl_->qtimer->start(ms);
        impl_->holding = true;
    }
}

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
    // Handlers may start, stop, destroy or create timers: take a snapshot by
    // serial number (a new timer may take a destroyed one's address) and find
    // each again before its tick.
    std::vector<uint64_t> due;
    for (PeriodicTimer::Impl* t : AllTimers()) {
        if (t->steppedTickDueBy(now)) due.push_back(t->serial);
    }
    for (uint64_t serial : due) {
        auto& timers = AllTimers();
        const auto found = std::find_if(timers.begin(), timers.end(),
                                        [serial](const auto* t) { return t->serial == serial; });
        if (found == timers.end()) continue;
        PeriodicTimer::Impl* t = *found;
        if (!t->steppedTickDueBy(now)) continue;
        t->nextDue = now + t->interval;
        t->tick();
    }
}

// Timers whose handlers tear down timers: the window that owns a timer may be
// destroyed from inside that timer's own tick.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <memory>

#include "platform/Clock.h"
#include "platform/Timer.h"

namespace {

TEST(TimerLifetime, SteppedHandlerMayDestroyItsOwnTimerAndOthersDueWithIt) {
    SteppedClock clock{0};
    SetClock(&clock);
    auto first = std::make_unique<PeriodicTimer>();
    auto second = std::make_unique<PeriodicTimer>();
    std::unique_ptr<PeriodicTimer> replacement;
    int firstTicks = 0, secondTicks = 0, replacementTicks = 0;
    first->onTick([&] {
        ++firstTicks;
        first.reset();
        // The second one was due at the same time; a new timer may take its place.
        second.reset();
        replacement = std::make_unique<PeriodicTimer>();
        replacement->onTick([&] { ++replacementTicks; });
        replacement->setInterval(50);
    });
    second->onTick([&] { ++secondTicks; });
    first->setInterval(10);
    second->setInterval(10);
    clock.advance(45);
    EXPECT_EQ(firstTicks, 1);
    EXPECT_EQ(secondTicks, 0);
    EXPECT_EQ(replacementTicks, 0);  // due at 60, not at the old timer's times
    clock.advance(20);
    EXPECT_EQ(replacementTicks, 1);
    replacement.reset();
    SetClock(nullptr);
}

TEST(TimerLifetime, RealTickMayDestroyItsOwnTimer) {
    auto timer = std::make_unique<PeriodicTimer>();
    int ticks = 0;
    timer->onTick([&] {
        ++ticks;
        timer.reset();
    });
    timer->setInterval(1);
    QElapsedTimer waited;
    waited.start();
    while (timer && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}

}  // namespace

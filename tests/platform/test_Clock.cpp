// Periodic timers under a stepped clock: due order, stopping, restarting, and no
// tick of a timer whose handler is still running.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Clock.h"
#include "platform/Timer.h"

namespace {

class SteppedTimers : public ::testing::Test {
  protected:
    void SetUp() override { SetClock(&clock); }
    void TearDown() override { SetClock(nullptr); }
    SteppedClock clock{0, 3600};
};

TEST_F(SteppedTimers, TimersFireInDueOrderAtTheirIntervals) {
    PeriodicTimer fast, slow;
    std::vector<std::pair<char, int64_t>> ticks;
    fast.onTick([&] { ticks.push_back({'f', clock.milliseconds()}); });
    slow.onTick([&] { ticks.push_back({'s', clock.milliseconds()}); });
    fast.setInterval(100);
    slow.setInterval(250);
    clock.advance(500);
    const std::vector<std::pair<char, int64_t>> expected{
        {'f', 100}, {'f', 200}, {'s', 250}, {'f', 300}, {'f', 400}, {'f', 500}, {'s', 500}};
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(clock.milliseconds(), 500);
}

TEST_F(SteppedTimers, SettingTheIntervalRestartsTheCountAndZeroStops) {
    PeriodicTimer timer;
    int count = 0;
    timer.onTick([&] {
        if (++count == 3) timer.setInterval(0);  // a handler can stop its own timer
    });
    timer.setInterval(100);
    clock.advance(90);
    timer.setInterval(100);
    clock.advance(90);
    EXPECT_EQ(count, 0);
    clock.advance(10);
    EXPECT_EQ(count, 1);
    timer.setInterval(10);
    clock.advance(1000);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(timer.interval(), 0);
}

TEST_F(SteppedTimers, NoTickWhileTheSameHandlerRuns) {
    PeriodicTimer timer;
    int depth = 0, maxDepth = 0, count = 0;
    timer.onTick([&] {
        ++depth;
        ++count;
        maxDepth = std::max(maxDepth, depth);
        if (count == 1) clock.advance(50);  // time passes inside the handler
        --depth;
    });
    timer.setInterval(10);
    clock.advance(100);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GT(count, 1);
}

TEST_F(SteppedTimers, SleepingFiresNothingLateTimersFireOnceAfterwardsTimeOfDayFollows) {
    PeriodicTimer timer;
    int count = 0;
    timer.onTick([&] { ++count; });
    timer.setInterval(10);
    EXPECT_EQ(clock.timeOfDaySeconds(), 3600);
    clock.sleepFor(100);
    EXPECT_EQ(count, 0);
    clock.advance(0);
    EXPECT_EQ(count, 1);
    clock.advance(10);
    EXPECT_EQ(count, 2);
    clock.advance(1889);
    EXPECT_EQ(clock.timeOfDaySeconds(), 3601);
    SteppedClock lateNight{0, 86399};
    lateNight.advance(1000);
    EXPECT_EQ(lateNight.timeOfDaySeconds(), 0);
}

}  // namespace

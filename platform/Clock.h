#pragma once

#include <cstdint>

// The program's sense of time. The real clock is used unless a test installs a
// SteppedClock, which moves only when told to and fires the periodic timers that
// fall due on the way, so no test has to sleep.
class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale.
    virtual int64_t milliseconds() = 0;
    // The time of day in milliseconds since midnight.
    virtual int64_t timeOfDayMilliseconds() = 0;
    // The time of day in whole seconds (0 to 86399).
    int timeOfDaySeconds() { return static_cast<int>(timeOfDayMilliseconds() / 1000); }
    // Lets `ms` milliseconds pass without processing window events.
    virtual void sleepFor(int ms) = 0;
    // Lets `ms` milliseconds pass with the story held: the windows keep painting
    // and answering the window system, but no input and no timer is acted on.
    virtual void holdFor(int ms) = 0;
    // Whether periodic timers are driven by this clock instead of the event loop.
    virtual bool drivesTimers() const { return false; }
};

Clock& CurrentClock();

// Installs `clock` (not owned) for the whole program; nullptr restores the real one.
void SetClock(Clock* clock);

class SteppedClock : public Clock {
  public:
    explicit SteppedClock(int64_t startMs = 0, int startTimeOfDay = 12 * 3600)
        : now_(startMs), dayStart_(startTimeOfDay) {}

    int64_t milliseconds() override { return now_; }
    int64_t timeOfDayMilliseconds() override;
    // Like a real sleep, no timer fires meanwhile; the ones that fell due fire at
    // the next advance, once each, as after a busy event loop.
    void sleepFor(int ms) override { now_ += ms > 0 ? ms : 0; }
    void holdFor(int ms) override;
    bool drivesTimers() const override { return true; }

    // Moves time on by `ms`, firing every periodic timer that falls due, in order.
    // Handlers run with the clock at their due time; one that holds the story
    // past the end leaves the clock where the hold ended.
    void advance(int64_t ms);

  private:
    int64_t now_;
    int dayStart_;
};

#pragma once

#include <QString>

#include <functional>
#include <memory>

// A periodic timer with an interval in milliseconds (0 = stopped, any other value
// starts it) and a text tag that its users keep state in. Ticks arrive on the
// user-interface thread. A tick is never delivered while the same timer's handler
// is still running (its handler may yield to the event loop).
class PeriodicTimer {
  public:
    PeriodicTimer();
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Setting a non-zero interval (re)starts the count from now.
    void setInterval(int ms);
    int interval() const;

    // The next tick comes `ms` from now instead of an interval from the last;
    // the ticks after it keep the interval. Later, for a handler that knows its
    // ticks until then would find nothing to do (each wake-up of the event loop
    // costs, at 1 ms a few percent of a core); sooner, for one that knows what
    // it waits for comes before the interval is up. Does nothing unless the
    // timer runs and `ms` is at least 1. Setting the interval again ends it.
    void setNextTickIn(int ms);

    void setTag(const QString& tag);
    QString tag() const;

    void onTick(std::function<void()> handler);

    struct Impl;  // opaque; shared with the stepped-clock driver

  private:
    std::unique_ptr<Impl> impl_;
};

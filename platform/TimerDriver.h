#pragma once

#include <cstdint>

// Internal link between SteppedClock and PeriodicTimer: under a clock that drives
// timers, ticks come from these calls instead of the event loop.

// The earliest due time not after `limit` among running timers, if any.
bool NextSteppedTimerDue(int64_t limit, int64_t* due);

// Fires each running timer due at or before `now` once.
void FireSteppedTimersDueAt(int64_t now);

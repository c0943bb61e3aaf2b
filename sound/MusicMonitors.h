#pragma once

// The timers of the hidden sound window. Both watch the one wave channel by
// polling its mode: the device never loops and its end notices never arrive.
void Mumer1_Timer();  // restarts the looping music each time it has ended
void Mumer2_Timer();  // plays one-shot music between the loops, then resumes them

// A `bgm` found the channel busy: if a one-shot music holds it, the new looping
// music (or the silence of `bgm v`) takes the place of what was to be resumed.
void StartLoopAfterOneShot();

// Intervals of the monitors, in milliseconds. A newly started looping music is
// watched at the first, after its first restart at the second.
inline constexpr int kLoopFirstWatchInterval = 1;
inline constexpr int kLoopWatchInterval = 100;
inline constexpr int kOneShotWatchInterval = 1;

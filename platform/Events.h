#pragma once

#include <functional>

// Lets the window events that are waiting run once (clicks, paints, timer ticks),
// then returns. The interpreter yields here in the middle of a run.
void ProcessPendingEvents();

// While one of these lives, the story is held (a voice or the ending plays): the
// clock's holdFor keeps the windows painted and answering, and takes the
// player's input as it comes, so that none is left queued to act once the hold
// is over; no timer of the game ticks meanwhile.
class StoryHold {
  public:
    StoryHold();
    ~StoryHold();
    StoryHold(const StoryHold&) = delete;
    StoryHold& operator=(const StoryHold&) = delete;
};

bool StoryIsHeld();

// Runs the window events of a held story once: paints, the window system's
// pings and exposures, and input; timers stay for later.
void ProcessHeldEvents();

// Something the player asked for while the story was held, to be done when the
// story next yields: each is posted, in order, once the last hold ends.
void DeferUntilHoldEnds(std::function<void()> action);

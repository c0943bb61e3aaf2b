#pragma once

#include <functional>

// Lets the window events that are waiting run once (clicks, paints, timer ticks),
// then returns. The interpreter yields here in the middle of a run.
void ProcessPendingEvents();

// While one of these lives, the story is held (a voice or the ending plays): the
// clock's holdFor keeps the windows painted and answering the window system, but
// no input and no timer of the game is acted on, and a close request waits until
// the last hold ends.
class StoryHold {
  public:
    StoryHold();
    ~StoryHold();
    StoryHold(const StoryHold&) = delete;
    StoryHold& operator=(const StoryHold&) = delete;
};

bool StoryIsHeld();

// Runs the window events of a held story once: paints, the window system's
// pings and exposures; input and timers stay queued for later.
void ProcessHeldEvents();

// A window refused a close request because the story is held: `raiseAgain` is
// posted once the hold ends, so the request comes back to the window then.
void DeferCloseUntilHoldEnds(std::function<void()> raiseAgain);

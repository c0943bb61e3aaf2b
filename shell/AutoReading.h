#pragma once

#include <cstdint>
#include <memory>

#include "platform/Timer.h"
#include "platform/widgets/InputWatch.h"

class CornerMark;
class Label;
class MessageRowLog;
class Window;

// Reading on by itself. Both only stand in for the player's Next: they press it
// through ReadOn, and only while the story waits for it, so every rule of a run
// (the 100-line budget, the yields) stays as it is.
//
// Auto reading (A): once the story waits for Next, Next is taken after
// kAutoPauseMs plus kAutoPausePerCharacterMs for each character of the rows that
// came up since the last Next. Never during a choice, a box or a voice: the
// story does not wait for Next then.
//
// Skip (Ctrl held): after kSkipStartMs of holding, Next every kSkipIntervalMs
// while the story waits for it; a choice or a box ends it, as does the release
// of Ctrl. A voice holds the story, so nothing is pressed during it; the
// ending ends both, and neither starts while it plays.
//
// A click or any other key in the main window ends both. A mark in the message
// window's corner shows which one is on.
class AutoReading {
  public:
    static constexpr int kAutoPauseMs = 1000;
    static constexpr int kAutoPausePerCharacterMs = 80;
    static constexpr int kSkipStartMs = 300;
    static constexpr int kSkipIntervalMs = 50;

    AutoReading(const MessageRowLog& rows, CornerMark& mark, const Label& messageWindow,
                const Window& window);
    ~AutoReading();
    AutoReading(const AutoReading&) = delete;
    AutoReading& operator=(const AutoReading&) = delete;

    void toggleAuto();
    void startSkip();
    void stopSkip();
    // Ends both.
    void stop();
    bool autoOn() const { return autoOn_; }
    bool skipOn() const { return skipOn_; }

  private:
    void autoTick();
    void skipTick();
    void showMark();
    void watchInput();
    void playerPressed(int key);

    const MessageRowLog& rows_;
    CornerMark& mark_;
    const Label& messageWindow_;
    const Window& window_;
    std::unique_ptr<InputWatch> inputWatch_;  // while either is on
    PeriodicTimer autoTimer_;
    PeriodicTimer skipTimer_;
    bool autoOn_ = false;
    bool skipOn_ = false;
    int64_t waitingSince_ = -1;  // when the story was first seen waiting for Next
    int waitCharacters_ = 0;
    int64_t rowsAtLastNext_ = 0;
    int64_t boxesAtSkip_ = 0;  // boxes shown before skip started
};

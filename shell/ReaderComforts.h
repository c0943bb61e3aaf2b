#pragma once

#include "platform/widgets/BacklogView.h"
#include "platform/widgets/CornerMark.h"
#include "shell/AutoReading.h"
#include "shell/Backlog.h"

struct Form1;
struct KeyInput;

// What the main window offers a reader beyond the game's own buttons: scaling
// and fullscreen, the backlog, auto reading and skip, and the keys for them.
// None of it changes what the story does; with none of it used, the window is
// as it was without it.
struct ReaderComforts {
    explicit ReaderComforts(Form1& form);

    // A key that reached the main window; true when it was one of these.
    bool takeKey(const KeyInput& key);
    // Wheel up, Page Up: only while the story waits for the player (BacklogCanOpen).
    void openBacklog();

    MessageRowLog messageRows;  // what the message window has shown
    CornerMark readingMark;     // AUTO / SKIP in the message window's corner
    BacklogView backlogView;    // over the whole inside, above the mark
    AutoReading autoReading;

  private:
    Form1& form_;
};

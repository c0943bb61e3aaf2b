#pragma once

// The keys and clicks a reader goes on with (Return, Enter, Space, Page Down, the
// mouse wheel turned down, a click on the CG or message window), and where the
// keyboard focus rests so that no key does harm.

// The button that is Next while the story waits for it: 9 in the system menu,
// 10 in display mode 5; -1 while the story does not wait for Next.
int WaitingNextButton();

// A reading key: a click on the Next button while the story waits for it, and
// nothing at any other moment.
void ReadOn();

// After a click, a reading key or the quit question: the focus goes to the Next
// button while the story waits for it, to no button during a choice (the player
// brings it there with Tab or an arrow), and never rests on "ゲーム終了",
// "最初から遊ぶ" or a blank button.
void SettleFocus();

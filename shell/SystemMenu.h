#pragma once

#include <QString>

#include <cstdint>

#include "scenario/Modes.h"

// The button column as system menu, Next button and choice buttons.

// Buttons 0 to 9 into their column at left 500, 42 px apart; button 10 stays put.
void ArrangeButtons();

// All eleven buttons visible and blank; in menu mode 0 the system menu on them.
void ShowSystemMenu();

// New Game at another label: the system menu is put up, a running animation
// stopped, and the story read from `label`.
void StartStoryAt(int16_t label);

// A click on button `index`; what it means depends on MenuMode, SysMode and
// WaitingForClick (the click table in SystemMenu.cpp; the modes in scenario/Modes.h).
void Command1_Click(int16_t index);

// Whether a click on button `index` can act only while the story waits for the
// player (Next, a choice, mode 5's Next), as against the menu's own buttons.
bool ActsOnlyWhileTheStoryWaits(int16_t index);

inline const QString kReturnCaption = QStringLiteral("ゲームに戻る");
inline const QString kReturnToolTip = QStringLiteral("Return games");
inline const QString kNotReadyMessage = QStringLiteral("まだ制作中です。");
inline const QString kHelpFileName = QStringLiteral("Lanternwick.HLP");

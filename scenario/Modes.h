#pragma once

#include <QString>

#include <cstdint>

// What the two mode numbers of the engine state mean, and the buttons of the row
// whose role is fixed. What a click does in each menu mode is the click table of
// Command1_Click (shell/SystemMenu.cpp); the system menu's captions are there too.

// ---- display modes: Engine.SysMode, one digit set by `sysmode` ----------------
//
//   0-4  `keywait` and `botwait` use button 9 as the Next button; `botwait` waits
//        for a choice (menu mode 1)
//   3    also: during a choice, button 0 opens the system menu, and the menu's
//        button 9 returns to the game instead of being Next
//   5    the Next button is button 10, shown by `keywait` and `botwait`; the menu's
//        button 9 returns to the game; the CG window paints the RPG surface first
//   6-9  `keywait` and `botwait` just stop: nothing but New Game goes on
//   7    also: the CG window paints the RPG surface first
inline constexpr uint8_t kLastModeWithNextOnButton9 = 4;
inline constexpr uint8_t kMenuOverChoicesMode = 3;
inline constexpr uint8_t kNextOnButton10Mode = 5;
inline constexpr uint8_t kRpgPictureMode = 7;

// `keywait` and `botwait` make button 9 the live Next button.
inline bool NextIsButton9(uint8_t sysMode) { return sysMode <= kLastModeWithNextOnButton9; }
// The system menu's button 9 leads back to the story instead of being Next.
inline bool MenuReturnsToGame(uint8_t sysMode) {
    return sysMode == kMenuOverChoicesMode || sysMode == kNextOnButton10Mode;
}
// Every repaint of the CG window starts from the hidden RPG surface.
inline bool PaintsRpgPicture(uint8_t sysMode) {
    return sysMode == kNextOnButton10Mode || sysMode == kRpgPictureMode;
}

// ---- menu modes: Engine.MenuMode, what a click on the row means ----------------
//
//   0  the system menu: quit, New Game, help, version box, and Next on button 9
//   1  a choice: each button jumps to its ChoiceTargets entry
//   2  every click runs the last built-in routine again
//   5  the mode `sysmode 5` leaves: button 10, shown by a wait, is Next
//   any other value: clicks do nothing
// `sysmode` sets the menu mode to the display mode, so the display modes above 2
// are menu modes too; only 5 gives its clicks a meaning.
inline constexpr uint8_t kSystemMenuMode = 0;
inline constexpr uint8_t kChoiceMode = 1;
inline constexpr uint8_t kRoutineMode = 2;

// ---- buttons with a role of their own -------------------------------------------
inline constexpr int kQuitButton = 0;      // the menu's "ゲーム終了"; in mode 3 opens the menu
inline constexpr int kNewGameButton = 2;   // the menu's "最初から遊ぶ"
inline constexpr int kNotReadyButton = 4;  // "まだ制作中です。" when shown in the menu
inline constexpr int kHelpButton = 5;
inline constexpr int kVersionButton = 6;
inline constexpr int kNextButton = 9;  // Next, or "ゲームに戻る"
inline constexpr int kButtonTen = 10;  // Next in display mode 5; "not ready" in the menu

// The Next button's look, on button 9 in the menu and on button 10 in mode 5.
inline const QString kNextCaption = QStringLiteral("話を進める");
inline const QString kNextToolTip = QStringLiteral("Next");
inline constexpr int kLastChoiceFlagButton = 9;  // buttons 0-9 have a ChoiceFlags entry
inline constexpr int kLastHideableChoice = 7;    // `rtb1` hides used choices among 0-7

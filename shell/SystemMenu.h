#pragma once

#include <QString>

#include <cstdint>

// The button column as system menu, Next button and choice buttons.

// Buttons 0 to 9 into their column at left 500, 42 px apart; button 10 stays put.
void ArrangeButtons();

// All eleven buttons visible and blank; in menu mode 0 the system menu on them.
void ShowSystemMenu();

// A click on button `index`; what it means depends on MenuMode, SysMode and
// WaitingForClick.
void Command1_Click(int16_t index);

inline const QString kNextCaption = QStringLiteral("話を進める");
inline const QString kNextToolTip = QStringLiteral("Next");
inline const QString kReturnCaption = QStringLiteral("ゲームに戻る");
inline const QString kReturnToolTip = QStringLiteral("Return games");
inline const QString kNotReadyMessage = QStringLiteral("まだ制作中です。");
inline const QString kHelpFileName = QStringLiteral("Lanternwick.HLP");

#pragma once

#include <QString>

#include <cstdint>

// Asks "ゲームを終了しますか？". Yes stops the sound, closes every open file and ends
// the program; No returns, dressing the system menu afresh in menu mode 0 and
// leaving the buttons as they were in every other mode. No is the default answer.
void ConfirmQuit();

// The main window's close request: asks the question; No sets `cancel`.
void Form_Unload(int16_t& cancel);

inline const QString kQuitQuestion = QStringLiteral("ゲームを終了しますか？");

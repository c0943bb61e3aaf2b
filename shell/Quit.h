#pragma once

#include <QString>

#include <cstdint>

// Asks "ゲームを終了しますか？". Yes stops the sound, closes every open file and ends
// the program; No puts the button column back and returns.
void ConfirmQuit();

// The main window's close request: asks the question; No sets `cancel`.
void Form_Unload(int16_t& cancel);

inline const QString kQuitQuestion = QStringLiteral("ゲームを終了しますか？");

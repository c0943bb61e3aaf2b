#pragma once

#include <QString>

// The sizes of the main window's message window and button row that decide what
// fits: the scenario checker measures texts against them, the window is built
// with them.

// The button row: buttons 0 to 10.
inline constexpr int kButtonCount = 11;
inline constexpr int kButtonWidth = 129;

// The message window's face and width, which decide how much text fits a row.
inline const QString kMessageFont = QStringLiteral("ＭＳ Ｐ明朝");
inline constexpr double kMessageFontPoints = 12;
inline constexpr int kMessageWindowWidth = 489;

#pragma once

#include <QString>

// The sizes and faces of the main window's text places, which decide how much
// text fits. The window is built from these, and the scenario checker measures
// the scenario's texts against them.

// The message window: its face and width.
inline const QString kMessageFont = QStringLiteral("ＭＳ Ｐ明朝");
inline constexpr double kMessageFontPoints = 12;
inline constexpr int kMessageWindowWidth = 489;

// The eleven buttons: 0-4 carry the system menu's fixed-pitch face, 5-10 the
// proportional one.
inline constexpr int kButtonCount = 11;
inline constexpr int kButtonWidth = 129;
inline constexpr int kButtonHeight = 33;
inline constexpr double kButtonFontPoints = 11.25;
inline QString ButtonFont(int index) {
    return index <= 4 ? QStringLiteral("ＭＳ ゴシック") : QStringLiteral("ＭＳ Ｐゴシック");
}

// The inside of the main window; a tool tip wider than it runs off the window.
inline constexpr int kStageWidth = 634;
inline constexpr int kStageHeight = 433;

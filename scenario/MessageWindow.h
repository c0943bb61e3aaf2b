#pragma once

#include <QString>

// The three-line message window. A fourth line scrolls the oldest away; the text
// "cls" (exactly) clears it instead of being shown. Every call yields to the
// event loop before it returns.
void MessageOut(const QString& text);

// The command word that clears the window rather than printing.
inline const QString kClearWord = QStringLiteral("cls");

// Empties the three lines without touching the window (program start, tests).
void ResetMessageWindow();

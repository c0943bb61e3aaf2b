#pragma once

#include <QString>
#include <QStringList>

// The ending (routine "rtb3"): two shared lines, then the happy ending when
// choice 6 was never taken, the normal one otherwise; the closing line stays
// for two more waits, and the program ends.
void PlayEnding();

// One line alone in the middle row of the message window, kept there while the
// clock's second changes five times. Nothing but one pass of window events runs.
void ShowEndingLine(const QString& text);

// While PlayEnding shows its lines: nothing reads on past them.
bool EndingPlays();

// The lines PlayEnding shows for the current ChoiceFlags, in order.
QStringList EndingLines();

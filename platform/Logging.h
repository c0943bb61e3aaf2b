#pragma once

#include <QLoggingCategory>

// Diagnostics for people who debug a game. All are silent unless switched on with
// QT_LOGGING_RULES, e.g. QT_LOGGING_RULES="lanternwick.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcScenario)  // every line executed and every jump
Q_DECLARE_LOGGING_CATEGORY(lcMsgbox)    // every message box and its answer
Q_DECLARE_LOGGING_CATEGORY(lcSound)     // every media-control command and its result
// The status queries, hundreds a second while a music plays: apart, so that
// "lanternwick.sound" stays readable; "lanternwick.*.debug=true" shows them too.
Q_DECLARE_LOGGING_CATEGORY(lcSoundStatus)

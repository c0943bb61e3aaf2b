#pragma once

#include <QString>

// The product name: the main window's title and the caption of every message box.
inline QString ApplicationTitle() { return QStringLiteral("ランタンウィック"); }

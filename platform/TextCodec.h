#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The game's files are in the Japanese ANSI code page (CP932, Shift-JIS).
// Bytes that are not valid CP932 become U+FFFD, one per byte, so a damaged line
// still reads with its columns where the author sees them.
QString DecodeAnsi(QByteArrayView bytes);

// Characters that CP932 cannot hold become '?'.
QByteArray EncodeAnsi(const QString& text);

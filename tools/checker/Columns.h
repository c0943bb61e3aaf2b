#pragma once

#include <QString>

// How a column of a line is counted. The checker finds columns as positions in
// the line's text (UTF-16, where a Shift-JIS character is one); editors count
// otherwise: Vim's quickfix list takes UTF-8 bytes, Emacs' compilation mode
// screen columns (a wide character two), language clients the unit they agree
// on with the server.
enum class ColumnUnit {
    Utf16,       // code units of UTF-16
    Characters,  // code points: a character is one column
    Bytes,       // bytes of UTF-8
    Screen,      // screen columns: East Asian wide and full-width characters are two
};

// The 1-based column `column` (counted in UTF-16 code units) of `text`, counted in `unit`.
int ColumnIn(const QString& text, int column, ColumnUnit unit);

// The 0-based offset into `text` (UTF-16 code units) of the 0-based position
// `offset` counted in `unit`; a position past the end gives the line's length,
// one inside a character gives the character's start.
int IndexOf(const QString& text, int offset, ColumnUnit unit);

// The length of `text` counted in `unit`.
int LengthIn(const QString& text, ColumnUnit unit);

#include "Columns.h"

#include <algorithm>

namespace {

bool Wide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0x303e) ||
           (c >= 0x3041 && c <= 0x33ff) || (c >= 0x3400 && c <= 0x4dbf) ||
           (c >= 0x4e00 && c <= 0x9fff) || (c >= 0xa000 && c <= 0xa4cf) ||
           (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff) ||
           (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xff60) ||
           (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x1f300 && c <= 0x1f64f) ||
           (c >= 0x20000 && c <= 0x3fffd);
}

// The code point at `i` and how many code units it takes.
char32_t CodePointAt(const QString& text, qsizetype i, int* units) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *units = 1;
    return c.unicode();
}

int Width(char32_t c, ColumnUnit unit) {
    switch (unit) {
        case ColumnUnit::Utf16: return c >= 0x10000 ? 2 : 1;
        case ColumnUnit::Characters: return 1;
        case ColumnUnit::Bytes: return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        case ColumnUnit::Screen: return Wide(c) ? 2 : 1;
    }
    return 1;
}

// The length in `unit` of the first `end` code units of `text`.
int CountUpTo(const QString& text, qsizetype end, ColumnUnit unit) {
    if (unit == ColumnUnit::Utf16) return static_cast<int>(end);
    int count = 0;
    int units = 1;
    for (qsizetype i = 0; i < end && i < text.size(); i += units)
        count += Width(CodePointAt(text, i, &units), unit);
    return count;
}

}  // namespace

int ColumnIn(const QString& text, int column, ColumnUnit unit) {
    if (column <= 0) return column;
    const qsizetype before = column - 1;
    // A column past the line's end (the end of a short line) keeps its distance.
    const qsizetype inside = std::min(before, text.size());
    return CountUpTo(text, inside, unit) + static_cast<int>(before - inside) + 1;
}

int IndexOf(const QString& text, int offset, ColumnUnit unit) {
    if (unit == ColumnUnit::Utf16)
        return static_cast<int>(std::clamp<qsizetype>(offset, 0, text.size()));
    int count = 0;
    int units = 1;
    qsizetype i = 0;
    for (; i < text.size(); i += units) {
        const int width = Width(CodePointAt(text, i, &units), unit);
        if (count + width > offset) break;
        count += width;
    }
    return static_cast<int>(i);
}

int LengthIn(const QString& text, ColumnUnit unit) { return CountUpTo(text, text.size(), unit); }

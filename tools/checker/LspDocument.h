#pragma once

#include <QJsonObject>
#include <QString>

#include <vector>

#include "Columns.h"

// A position of the language protocol: a 0-based line and a 0-based offset in it,
// counted in the unit the client and the server agreed on.
struct LspPosition {
    int line = 0;
    int character = 0;
};
LspPosition PositionFromJson(const QJsonValue& value);
QJsonObject PositionJson(const LspPosition& position);
QJsonObject RangeJson(const LspPosition& start, const LspPosition& end);

// The text of a file open in the editor, as the editor holds it, with what it
// takes to turn the protocol's positions into offsets in it and back.
class LspDocument {
  public:
    LspDocument() : LspDocument(QString(), ColumnUnit::Utf16) {}
    LspDocument(QString text, ColumnUnit unit);

    const QString& text() const { return text_; }
    int lineCount() const { return static_cast<int>(lineStarts_.size()); }
    // Line `line` without its terminator.
    QString line(int line) const;

    // Replaces the text between two positions; false when they lie outside the text.
    bool replace(const LspPosition& start, const LspPosition& end, const QString& with);
    void replaceAll(QString text);

    // The offset into line `line` (UTF-16) of `character` counted in the agreed unit.
    int index(int line, int character) const;
    // A protocol position for the 0-based UTF-16 offset `index` of line `line`.
    LspPosition position(int line, int index) const;
    // The position just past the end of line `line`.
    LspPosition lineEnd(int line) const;

  private:
    // The offset in text_ of a protocol position; -1 when it lies outside.
    qsizetype offset(const LspPosition& position) const;
    void findLineStarts();

    QString text_;
    ColumnUnit unit_;
    std::vector<qsizetype> lineStarts_;  // where each line begins in text_
};

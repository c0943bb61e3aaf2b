#pragma once

#include <QString>

#include <optional>

// One line of the scenario file as the interpreter sees it. Columns are 1-based
// character positions; a double-byte character is one column.
//
//   columns 1-8   the command word, blank-padded ("msg     "), compared lower-cased
//   column  9     a separator, never looked at
//   column 10-    the arguments: the rest of the line, fixed columns, or the comma
//                 form "I·caption,tool tip" (index at 10, text from 12 to the first ",")
struct ScenarioLine {
    int number = 0;  // line number in the file, from 1
    QString text;
    bool cut = false;  // longer than the reader keeps: `text` is its start only

    // The first eight characters, lower-cased.
    QString commandWord() const;
    // Columns 10 to the end; empty for a line of 9 characters or fewer.
    QString restOfLine() const;
    // `count` characters from column `first`; whatever lies beyond the end is missing.
    QString columns(int first, int count) const;
    // The last character of the line, or a null character for an empty line.
    QChar lastCharacter() const;
};

// The comma form of `bottxt2` and `botpic`.
struct CommaFields {
    QChar index;      // column 10
    QString text;     // column 12 up to the character before the first ","
    QString toolTip;  // everything after the first ","
};

// Nothing when the line has no "," or its first "," stands before column 12.
std::optional<CommaFields> ParseCommaForm(const ScenarioLine& line);

// The label line of label n: "_" and the last five characters of "0000" + n.
QString LabelLineText(int n);

// The line that must end the scenario file.
inline const QString kEndLine = QStringLiteral("_");

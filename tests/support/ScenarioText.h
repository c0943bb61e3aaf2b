#pragma once

#include <QString>

// A scenario line: the word blank-padded to eight columns, a separator, the argument.
inline QString Line(const QString& word, const QString& argument = QString()) {
    return word.leftJustified(8, QLatin1Char(' ')) + QLatin1Char(' ') + argument;
}

// The label line of label n, as an author writes it.
inline QString Label(int n) { return QStringLiteral("_%1").arg(n, 5, 10, QLatin1Char('0')); }

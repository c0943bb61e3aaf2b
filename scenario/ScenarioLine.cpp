#include "scenario/ScenarioLine.h"

QString ScenarioLine::commandWord() const { return text.left(8).toLower(); }

QString ScenarioLine::restOfLine() const { return text.size() > 9 ? text.mid(9) : QString(); }

QString ScenarioLine::columns(int first, int count) const {
    if (first < 1 || count <= 0 || first > text.size()) return QString();
    return text.mid(first - 1, count);
}

QChar ScenarioLine::lastCharacter() const { return text.isEmpty() ? QChar() : text.back(); }

std::optional<CommaFields> ParseCommaForm(const ScenarioLine& line) {
    const qsizetype comma = line.text.indexOf(QLatin1Char(','));  // 0-based
    if (comma < 0 || comma + 1 < 12) return std::nullopt;
    CommaFields fields;
    fields.index = line.text.size() >= 10 ? line.text.at(9) : QChar();
    fields.text = line.text.mid(11, comma + 1 - 12);
    fields.toolTip = line.text.mid(comma + 1);
    return fields;
}

QString LabelLineText(int n) {
    const QString padded = QStringLiteral("0000") + QString::number(n);
    return QLatin1Char('_') + padded.right(5);
}

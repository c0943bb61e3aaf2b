#include "LspDocument.h"

#include <algorithm>

LspPosition PositionFromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    return {object.value(QLatin1String("line")).toInt(-1),
            object.value(QLatin1String("character")).toInt(-1)};
}

QJsonObject PositionJson(const LspPosition& position) {
    return {{QStringLiteral("line"), position.line},
            {QStringLiteral("character"), position.character}};
}

QJsonObject RangeJson(const LspPosition& start, const LspPosition& end) {
    return {{QStringLiteral("start"), PositionJson(start)},
            {QStringLiteral("end"), PositionJson(end)}};
}

LspDocument::LspDocument(QString text, ColumnUnit unit) : text_(std::move(text)), unit_(unit) {
    findLineStarts();
}

// Lines end at CR LF, LF or CR, as the scenario reader splits them.
void LspDocument::findLineStarts() {
    lineStarts_.assign(1, 0);
    for (qsizetype i = 0; i < text_.size(); ++i) {
        const QChar c = text_.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text_.size() && text_.at(i + 1) == QLatin1Char('\n'))
            ++i;
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) lineStarts_.push_back(i + 1);
    }
}

QString LspDocument::line(int line) const {
    if (line < 0 || line >= lineCount()) return {};
    const qsizetype start = lineStarts_[static_cast<size_t>(line)];
    qsizetype end =
        line + 1 < lineCount() ? lineStarts_[static_cast<size_t>(line) + 1] : text_.size();
    while (end > start &&
           (text_.at(end - 1) == QLatin1Char('\n') || text_.at(end - 1) == QLatin1Char('\r')))
        --end;
    return text_.mid(start, end - start);
}

int LspDocument::index(int line, int character) const {
    return IndexOf(this->line(line), character, unit_);
}

LspPosition LspDocument::position(int line, int index) const {
    const QString text = this->line(line);
    return {line, LengthIn(text.left(index), unit_)};
}

LspPosition LspDocument::lineEnd(int line) const {
    return {line, LengthIn(this->line(line), unit_)};
}

qsizetype LspDocument::offset(const LspPosition& position) const {
    if (position.line < 0 || position.character < 0) return -1;
    // A position on the line after the last is the end of the text.
    if (position.line >= lineCount()) return position.line == lineCount() ? text_.size() : -1;
    return lineStarts_[static_cast<size_t>(position.line)] +
           index(position.line, position.character);
}

bool LspDocument::replace(const LspPosition& start, const LspPosition& end, const QString& with) {
    const qsizetype from = offset(start);
    const qsizetype to = offset(end);
    if (from < 0 || to < from) return false;
    text_.replace(from, to - from, with);
    findLineStarts();
    return true;
}

void LspDocument::replaceAll(QString text) {
    text_ = std::move(text);
    findLineStarts();
}

#include "scenario/Numbers.h"

#include <cmath>

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

std::optional<int16_t> ToInt16(double value) {
    if (!std::isfinite(value) || value < -32768.0 || value > 32767.0) return std::nullopt;
    return static_cast<int16_t>(value);
}

}  // namespace

double LeadingNumber(const QString& text) {
    QString compact;
    for (QChar c : text) {
        if (!IsBlank(c)) compact.append(c);
    }
    // The longest prefix of the form [sign] digits [. digits] [e [sign] digits].
    qsizetype i = 0;
    const qsizetype n = compact.size();
    auto digitAt = [&](qsizetype k) {
        return k < n && compact.at(k).isDigit() && compact.at(k).unicode() < 128;
    };
    if (i < n && (compact.at(i) == QLatin1Char('-') || compact.at(i) == QLatin1Char('+'))) ++i;
    qsizetype digits = 0;
    while (digitAt(i)) {
        ++i;
        ++digits;
    }
    if (i < n && compact.at(i) == QLatin1Char('.')) {
        ++i;
        while (digitAt(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    qsizetype end = i;
    if (i < n && (compact.at(i) == QLatin1Char('e') || compact.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (compact.at(j) == QLatin1Char('-') || compact.at(j) == QLatin1Char('+'))) ++j;
        if (digitAt(j)) {
            while (digitAt(j))
                ++j;
            end = j;
        }
    }
    return compact.left(end).toDouble();
}

std::optional<double> WholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    for (QChar c : trimmed) {
        // Only ASCII number characters; QString::toDouble would also take "inf" or "nan".
        if (c.unicode() >= 128 || !(c.isDigit() || QStringLiteral("+-.eE").contains(c))) {
            return std::nullopt;
        }
    }
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

std::optional<int16_t> FlooredInt16(double value) { return ToInt16(std::floor(value)); }

std::optional<int16_t> RoundedInt16(double value) { return ToInt16(RoundHalfEven(value)); }

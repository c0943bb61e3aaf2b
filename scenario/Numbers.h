#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Conversions of numbers written in the scenario.

// The decimal number at the start of `text`: blanks anywhere are ignored, reading
// stops at the first character that cannot continue the number, and text with no
// number gives 0. Used for fields whose digits may be followed by anything.
double LeadingNumber(const QString& text);

// `text` as a whole is a number (blanks around it allowed): optional sign, digits,
// optional fraction and exponent. Anything else (empty, letters, "12x") is not.
std::optional<double> WholeNumber(const QString& text);

// To 16 bits, or nothing when the value lies outside -32768 to 32767.
std::optional<int16_t> FlooredInt16(double value);
std::optional<int16_t> RoundedInt16(double value);  // halves go to the even neighbour

// Halves to the even neighbour, as the game's integer conversions do.
double RoundHalfEven(double value);

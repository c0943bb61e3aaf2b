#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

#include "scenario/ScenarioLine.h"

// How each command's arguments are taken from its line, and what makes them
// unusable. The interpreter and the scenario checker both go through these, so
// an author is told about exactly the lines the player would stop at, in the
// same words.

// A value, or the problem that kept it from being read.
template <typename T>
struct Checked {
    std::optional<T> value;
    QString problem;

    static Checked ok(T v) { return {std::move(v), {}}; }
    static Checked fail(QString why) { return {std::nullopt, std::move(why)}; }
    explicit operator bool() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    const T* operator->() const { return &*value; }
};

// A file name written in the scenario: trailing blanks are no part of it.
QString FileNameOf(const QString& text);

// `next`: the label, floored to 16 bits.
Checked<int16_t> NextTarget(const QString& argument);

// `bottxt2`, `botpic` without a "," at column 12 or later.
QString MissingCommaProblem();

// `nextbot`: ten five-character label numbers at columns 10, 16, ... 64.
inline constexpr int kChoiceTargetFields = 10;
Checked<std::array<int16_t, kChoiceTargetFields>> ChoiceTargetFields(const ScenarioLine& line);

// `bottxt2`, `botpic`: the index character is one hexadecimal digit; anything
// else addresses button 0, and "b" to "f" name buttons that do not exist.
Checked<int> ButtonIndex(QChar index, const char* command);

// `cg`: ".JPG" is added when the whole line has no ".".
QString CgFileName(const ScenarioLine& line);

// `anime`: 12-character file-name fields, 1 to 15 of them; a partial field at the
// end is not played.
inline constexpr int kAnimeFieldWidth = 12;
inline constexpr int kMostAnimeFrames = 15;
Checked<QStringList> AnimeFrameNames(const QString& argument);

// `anime3`: strip file at 10-21, last frame number at 22-23, "1" at 24 for an
// extra last frame from the file at 25-36.
struct StripAnimation {
    QString stripFile;
    int16_t lastFrame = 0;
    bool extraFrame = false;
    QString extraFile;
};
Checked<StripAnimation> StripAnimationArguments(const ScenarioLine& line);
// Nothing when a strip `stripHeight` pixels high holds the frames asked for.
std::optional<QString> StripTooShort(const StripAnimation& strip, int stripHeight);

// `circle`: on/off at 10, centre x at 12-15, y at 17-20, radius at 22-25.
Checked<std::array<int16_t, 4>> CircleArguments(const ScenarioLine& line);

// `sysmode`: the digit at the end of the line; anything else is mode 0.
uint8_t SysModeOf(const QString& lastCharacter);

// Picture sizes the game is drawn for.
inline constexpr int kCgWidth = 480;
inline constexpr int kCgHeight = 358;
inline constexpr int kStripFrameHeight = 360;

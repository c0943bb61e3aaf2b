#pragma once

#include <QString>

#include <optional>

#include "scenario/ScenarioLine.h"

// The one way a scenario problem reaches the player: a message box that names
// the line number, quotes the line and says what is wrong. The run that met the
// problem then stops; the window stays usable (New Game, quit).
void ReportScenarioError(const QString& problem, const std::optional<ScenarioLine>& line);

// A line as a box quotes it: its start only when it is long, since laying out
// megabytes of text in a box would freeze the window for minutes.
inline constexpr int kQuotedLineCharacters = 300;
QString QuotedLine(const QString& text);

// Whether an argument read by the argument rules is usable; when it is not, its
// problem is reported at `line` and the command must give up.
template <typename CheckedValue>
bool UsableOrReported(const CheckedValue& checked, const ScenarioLine& line) {
    if (checked) return true;
    ReportScenarioError(checked.problem, line);
    return false;
}

// The name of the scenario file, as the messages show it.
inline const QString kScenarioFileName = QStringLiteral("Lanternwick.dat");

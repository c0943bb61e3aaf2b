#pragma once

#include <QString>

#include <optional>

#include "scenario/ScenarioLine.h"

// The one way a scenario problem reaches the player: a message box that names
// the line number, quotes the line and says what is wrong. The run that met the
// problem then stops; the window stays usable (New Game, quit).
void ReportScenarioError(const QString& problem, const std::optional<ScenarioLine>& line);

// The name of the scenario file, as the messages show it.
inline const QString kScenarioFileName = QStringLiteral("Lanternwick.dat");

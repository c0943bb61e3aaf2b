#pragma once

#include "scenario/ScenarioLine.h"

// Reading the scenario file. The open file's read position is where the story
// stands between runs; a jump reopens the file and reads it from the top.

// (Re)opens AppDir + "Lanternwick.dat" under a fresh file number kept in
// Engine.ScenarioFile. False when the file is missing or unreadable.
bool ReopenScenarioFile();

// Reads the next line. False at the end of the file (or when none is open).
bool ReadScenarioLine(ScenarioLine& line);

// The search of a jump: reads on to the first line that is exactly `labelLine`
// or the end line "_", and returns that line. Lines passed over are only
// compared, never decoded. False at the end of the file.
bool ReadToLabelOrEndLine(const QString& labelLine, ScenarioLine& line);

// Whether the last read came to the end of what is read of a scenario file
// too long to read whole (kLongestTextFileBytes).
bool ScenarioFileCutAtBound();

// The last line read, for messages about where the story stands.
const ScenarioLine& LastScenarioLineRead();

// Forgets the read position and closes the file (tests, program start).
void ResetScenarioReader();

#pragma once

// For authors (--watch): the story starts again at the last label it passed
// when the scenario file changes on disk, or by hand with Shift+R. A scenario the
// checker finds errors in is not taken: one box lists them, and the story stays
// where it is. Pictures and waves are read from their files at every use, so the
// restarted lines show and play them as they are now.

// Starts watching the scenario file and takes Shift+R in the main window.
void WatchScenario();

// Checks the scenario as it is on disk and, without errors, starts the story
// again at the last label it passed (nothing before the first New Game). While
// a voice or the ending holds the story this waits until the hold is over.
void ReloadScenario();

// How often the file is looked at; a change is taken once the file has stayed
// the same for one more look, so a save in several writes is read whole.
inline constexpr int kWatchIntervalMs = 250;

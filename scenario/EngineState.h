#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The variables the parts of the game share. There is exactly one instance,
// `Engine`, zeroed at start; it is touched only from the user-interface thread.
// Flags kept in an int16_t are -1 for yes and 0 for no.
struct EngineState {
    // Story position and flow.
    int16_t JumpLabel = 0;     // 0: go on; -1: end of the scenario; else: jump to that label
    int16_t ScenarioFile = 0;  // file number of the open scenario file, 0 before the first jump
    QString AppDir;            // the data directory, ending in a separator

    // Waiting and the button row.
    int16_t WaitingForClick = 0;              // -1 while the story waits for Next or a choice
    uint8_t SysMode = 0;                      // the display mode `sysmode` chose (scenario/Modes.h)
    uint8_t MenuMode = 0;                     // what a click on the row means (scenario/Modes.h)
    std::array<int16_t, 11> ChoiceTargets{};  // label per button; 0 = go on after `botwait`
    int16_t SelectedChoice = 0;
    std::array<int16_t, 10> ChoiceFlags{};  // -1 still offered, 0 taken
    QString RoutineName;

    // Pictures.
    int16_t CgWidth = 0;
    int16_t CgHeight = 0;
    std::array<int16_t, 4> CircleParams{};  // on/off, centre x, centre y, radius

    // Sound.
    uint8_t WavePlaying = 0;  // 255 while the wave device is open
    QString MusicState;       // the looping music last given to "seekloop"
};

extern EngineState Engine;

// Puts every variable back to its starting value (program start, tests).
void ResetEngineState();

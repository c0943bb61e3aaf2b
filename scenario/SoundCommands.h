#pragma once

#include <QString>

#include "scenario/CommandTable.h"

// The sound commands of the scenario. They stand in the command table with the
// others; sound/SoundCommands.cpp carries them out with the wave player and the
// music monitors, which the rest of the story never touches.

bool SayCommand(const CommandArguments& args);    // `say`: a voice, waited for
bool CdbgmCommand(const CommandArguments& args);  // `cdbgm`: accepted, no effect
bool BgmCommand(const CommandArguments& args);    // `bgm`: looping background music
bool MusicCommand(const CommandArguments& args);  // `music`: one-shot music

// Shown when the voice wait cannot ask the device; the program then ends.
inline const QString kVoiceErrorMessage = QStringLiteral("音声エラー");

#include "sound/SoundCommands.h"

// The wave player arrives with the sound work; until then the game is silent and
// these lines are accepted without effect.

bool SayCommand(const CommandArguments&) { return true; }

// The game once played CD tracks; the command is kept so old scenarios still read.
bool CdbgmCommand(const CommandArguments&) { return true; }

bool BgmCommand(const CommandArguments&) { return true; }
bool MusicCommand(const CommandArguments&) { return true; }

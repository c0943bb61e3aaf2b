#include "scenario/PictureCommands.h"

// Pictures and animations arrive with the pictures work; until then these lines
// are accepted and change nothing.

bool CgCommand(const CommandArguments&) { return true; }
bool AnimeCommand(const CommandArguments&) { return true; }
bool Anime3Command(const CommandArguments&) { return true; }
bool CircleCommand(const CommandArguments&) { return true; }

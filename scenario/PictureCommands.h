#pragma once

#include "scenario/CommandTable.h"

bool CgCommand(const CommandArguments& args);      // `cg`: a still picture
bool AnimeCommand(const CommandArguments& args);   // `anime`: frames from separate files
bool Anime3Command(const CommandArguments& args);  // `anime3`: frames from one strip
bool CircleCommand(const CommandArguments& args);  // `circle`: the circle overlay

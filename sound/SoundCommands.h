#pragma once

#include "scenario/CommandTable.h"

bool SayCommand(const CommandArguments& args);    // `say`: a voice, waited for
bool CdbgmCommand(const CommandArguments& args);  // `cdbgm`: accepted, no effect
bool BgmCommand(const CommandArguments& args);    // `bgm`: looping background music
bool MusicCommand(const CommandArguments& args);  // `music`: one-shot music

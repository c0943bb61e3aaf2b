#pragma once

#include "scenario/CommandTable.h"

// `next`: the label to continue at, floored to 16 bits; the jump is taken at the
// start of the next cycle. 0 goes on with the following line, -1 ends the story.
bool NextCommand(const CommandArguments& args);

// `sysmode`: the last character of the line is the display mode (a non-digit is 0).
bool SysmodeCommand(const CommandArguments& args);

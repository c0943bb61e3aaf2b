#pragma once

#include "scenario/CommandTable.h"

bool NextbotCommand(const CommandArguments& args);  // `nextbot`: targets of buttons 0-9
bool BotclsCommand(const CommandArguments& args);   // `botcls`: hide and empty all buttons
bool Bottxt2Command(const CommandArguments& args);  // `bottxt2`: a button with a caption
bool BotpicCommand(const CommandArguments& args);   // `botpic`: a button with a picture
bool BotwaitCommand(const CommandArguments& args);  // `botwait`: wait for a choice
bool BotrpgCommand(const CommandArguments& args);   // `botrpg`: stop

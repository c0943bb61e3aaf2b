#include "scenario/ChoiceCommands.h"

// The choice buttons arrive with the choices work; until then these lines are
// accepted and change nothing, so that scenarios using them still read through.

bool NextbotCommand(const CommandArguments&) { return true; }
bool BotclsCommand(const CommandArguments&) { return true; }
bool Bottxt2Command(const CommandArguments&) { return true; }
bool BotpicCommand(const CommandArguments&) { return true; }
bool BotwaitCommand(const CommandArguments&) { return true; }
bool BotrpgCommand(const CommandArguments&) { return true; }

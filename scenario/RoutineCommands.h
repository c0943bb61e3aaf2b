#pragma once

#include "scenario/CommandTable.h"

bool PgCommand(const CommandArguments& args);      // `pg`: built-in routine, then leave the run
bool PgnextCommand(const CommandArguments& args);  // `pgnext`: built-in routine, then go on

// Runs the routine named by Engine.RoutineName: "render" (the quit question),
// "rtb1" (hide used choices), "rtb2" (mark the last choice used), "rtb3" (the
// ending). Any other name ends the program with a message.
void RunBuiltinRoutine();

// Whether `name` (already lower-cased) is one of the routines above.
bool IsBuiltinRoutine(const QString& name);

void HideUsedChoices();  // rtb1
void MarkChoiceUsed();   // rtb2

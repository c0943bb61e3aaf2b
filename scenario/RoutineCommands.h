#pragma once

#include "scenario/CommandTable.h"

bool PgCommand(const CommandArguments& args);      // `pg`: built-in routine, then leave the run
bool PgnextCommand(const CommandArguments& args);  // `pgnext`: built-in routine, then go on

// Runs the routine named by Engine.RoutineName.
void RunBuiltinRoutine();

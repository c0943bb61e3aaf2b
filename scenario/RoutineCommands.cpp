#include "scenario/RoutineCommands.h"

#include "scenario/EngineState.h"

bool PgCommand(const CommandArguments& args) {
    Engine.RoutineName = args.rest.toLower();
    RunBuiltinRoutine();
    return true;
}

bool PgnextCommand(const CommandArguments& args) {
    Engine.RoutineName = args.rest.toLower();
    RunBuiltinRoutine();
    return true;
}

// The routines themselves arrive with the ending work.
void RunBuiltinRoutine() {}

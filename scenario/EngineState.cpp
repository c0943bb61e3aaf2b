#include "scenario/EngineState.h"

EngineState Engine;

void ResetEngineState() { Engine = EngineState{}; }

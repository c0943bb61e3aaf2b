#include "sound/MusicMonitors.h"

// The monitors arrive with the sound work; until then their timers never start.
void Mumer1_Timer() {}
void Mumer2_Timer() {}

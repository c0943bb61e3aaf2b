#pragma once

// Lets the window events that are waiting run once (clicks, paints, timer ticks),
// then returns. The interpreter yields here in the middle of a run.
void ProcessPendingEvents();

#pragma once

// The timers of the hidden sound window.
void Mumer1_Timer();  // restarts the looping music when it has ended
void Mumer2_Timer();  // plays one-shot music between the loops

#pragma once

#include <cstdint>

// Starts `player` `runs` times on an Xvfb of its own in the game folder
// `folder`, clicks New Game and prints, for each run, the milliseconds until
// the CG window's middle pixel shows `firstFrame` (0xRRGGBB) on the server.
void MeasureFirstFrameOnX(int runs, const char* folder, const char* player, uint32_t firstFrame);

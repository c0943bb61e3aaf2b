#include "scenario/CgWindow.h"

// Animation playback and the overlays arrive with the pictures work.

void Animer1_Timer() {}

void Picture1_Paint() {}

// A press on the CG window means nothing in this game.
void Picture1_MouseDown() {}

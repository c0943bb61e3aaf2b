#pragma once

// Event handlers of the CG window and the animation timer.
void Animer1_Timer();
void Picture1_Paint();
void Picture1_MouseDown();

#pragma once

// Event handlers of the CG window and the animation timer.
void Animer1_Timer();

// Starts playing the strip in AniPic1 from frame 0 to `lastFrame`, one frame per
// tick of Animer1, whose tag holds the next and the last frame number.
void StartAnimation(int lastFrame);
void Picture1_Paint();
void Picture1_MouseDown();

#pragma once

class Window;

// The windowed scales Ctrl++ and Ctrl+- step through; only those whose window
// fits the screen are taken.
inline constexpr double kWindowScales[] = {1.0, 1.5, 2.0, 3.0};

// F11, Alt+Return and the window manager's maximise.
void ToggleFullScreen(Window& window);
// Ctrl+0: back to the window at 1x (leaving fullscreen).
void ResetScale(Window& window);
// Ctrl++ (+1) and Ctrl+- (-1): the next windowed scale that fits the screen,
// from the one the inside is drawn at now. Leaves fullscreen.
void StepScale(Window& window, int direction);

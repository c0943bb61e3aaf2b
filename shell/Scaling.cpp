#include "shell/Scaling.h"

#include "platform/widgets/Window.h"

void ToggleFullScreen(Window& window) { window.setFullScreen(!window.isFullScreen()); }

void ResetScale(Window& window) {
    window.setFullScreen(false);
    window.setWindowedScale(1.0);
}

void StepScale(Window& window, int direction) {
    const double now = window.drawnScale();
    double chosen = now;
    if (direction > 0) {
        for (double scale : kWindowScales) {
            if (scale > now + 1e-6 && window.scaleFits(scale)) {
                chosen = scale;
                break;
            }
        }
    } else {
        for (double scale : kWindowScales) {
            if (scale < now - 1e-6) chosen = scale;
        }
    }
    if (chosen == now && !window.isFullScreen()) return;
    window.setFullScreen(false);
    window.setWindowedScale(chosen);
}

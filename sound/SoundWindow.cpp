#include "sound/SoundWindow.h"

#include <QtGlobal>

namespace {
SoundWindow& (*g_provider)() = nullptr;
}  // namespace

SoundWindow& CurrentSoundWindow() {
    if (!g_provider) qFatal("Sound was asked for before the sound window was set up.");
    return g_provider();
}

void SetSoundWindowProvider(SoundWindow& (*provider)()) { g_provider = provider; }

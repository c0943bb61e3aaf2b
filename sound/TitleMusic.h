#pragma once

#include <QString>

// Start-up's part of the sound: every choice is offered again, the hidden sound
// window comes into being, and the title music starts looping.
void PlayTitleMusic();

inline const QString kTitleMusicFile = QStringLiteral("loop101s.wav");

#pragma once

#include "platform/Timer.h"

// The hidden sound window: it is never shown and only hosts the music monitors.
struct Form2 {
    Form2();

    PeriodicTimer Mumer2;  // one-shot music monitor
    PeriodicTimer Mumer1;  // background music loop monitor; its tag starts as "0"
};

// Created on first use, when the sound code first touches a timer.
Form2& SoundWindow();
bool SoundWindowExists();
void DestroySoundWindow();

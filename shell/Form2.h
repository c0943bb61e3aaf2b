#pragma once

#include "platform/Timer.h"

// The hidden sound window: it is never shown and only hosts the music monitors.
struct Form2 {
    Form2();

    PeriodicTimer Mumer2;  // one-shot music monitor
    PeriodicTimer Mumer1;  // background music loop monitor; its tag starts as "0"

    // Kept by the one-shot music monitor while it has a looping music to resume:
    // whether it has one, and the whole 80-character reply of the position query
    // (the digits, a NUL, then the blanks the buffer was filled with).
    bool ResumePending = false;
    QString ResumePosition = QString(80, QLatin1Char(' '));
};

// Created on first use, when the sound code first touches a timer.
Form2& SoundWindow();
bool SoundWindowExists();
void DestroySoundWindow();

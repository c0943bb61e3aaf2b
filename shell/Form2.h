#pragma once

#include "platform/Timer.h"
#include "sound/SoundWindow.h"

// The hidden sound window: it is never shown and only hosts the music monitors.
class Form2 : public SoundWindow {
  public:
    Form2();

    PeriodicTimer& Mumer1() override { return loopMonitor_; }
    PeriodicTimer& Mumer2() override { return oneShotMonitor_; }

  private:
    PeriodicTimer oneShotMonitor_;
    PeriodicTimer loopMonitor_;
};

// Created on first use, when the sound code first touches a timer.
Form2& SoundForm();
bool SoundWindowExists();
void DestroySoundWindow();

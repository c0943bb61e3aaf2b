#pragma once

#include <QString>

class PeriodicTimer;

// What the sound code sees of the hidden sound window: its two monitor timers,
// whose tags the monitors keep state in, and what the one-shot monitor keeps
// while it has a looping music to resume. The shell implements it (Form2).
class SoundWindow {
  public:
    virtual ~SoundWindow() = default;
    virtual PeriodicTimer& Mumer1() = 0;  // background music loop monitor; its tag starts as "0"
    virtual PeriodicTimer& Mumer2() = 0;  // one-shot music monitor

    // Whether a looping music waits to be resumed, and the whole 80-character
    // reply of the position query (the digits, a NUL, then the buffer's blanks).
    bool ResumePending = false;
    QString ResumePosition = QString(80, QLatin1Char(' '));
    // A `bgm` came while a one-shot music held the channel: when the one-shot
    // ends, that music (Engine.MusicState) starts from its beginning instead of
    // the interrupted one resuming.
    bool LoopAfterOneShot = false;
};

// The program's sound window, made on first use by the provider the program
// installs at start (tests install their own).
SoundWindow& CurrentSoundWindow();
void SetSoundWindowProvider(SoundWindow& (*provider)());

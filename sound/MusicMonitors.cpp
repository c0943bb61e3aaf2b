#include "sound/MusicMonitors.h"

#include <algorithm>

#include "platform/Timer.h"
#include "scenario/EngineState.h"
#include "sound/MediaControl.h"
#include "sound/SoundWindow.h"
#include "sound/WavePlayer.h"

namespace {

// A playing music cannot end before its time left has run: the loop monitor
// sleeps through most of it and watches every millisecond shortly before the
// end, whatever its interval, so that each restart follows its end within a
// millisecond: at the 100 ms the interval reads after the first restart, every
// later loop would be heard with a gap. The margin covers an audio device
// that has taken its buffer ahead of the position it reports; the longest
// sleep bounds what a wrong reply could cost.
constexpr int64_t kWakeBeforeEnd = 250;
constexpr int64_t kLongestSleep = 1000;
constexpr int kCloseWatch = 1;

void WatchForTheEnd(PeriodicTimer& monitor) {
    const int64_t left = WaveTimeLeft();
    if (left < 0) return;  // the service cannot say: the interval as it is
    if (left > kWakeBeforeEnd) {
        monitor.setNextTickIn(static_cast<int>(std::min(left - kWakeBeforeEnd, kLongestSleep)));
    } else {
        monitor.setNextTickIn(kCloseWatch);
    }
}

}  // namespace

void Mumer1_Timer() {
    if (!EndsInLowerV(Engine.MusicState)) return;
    PeriodicTimer& loopMonitor = CurrentSoundWindow().Mumer1();
    if (WaveIsPlaying()) {
        WatchForTheEnd(loopMonitor);
        return;
    }
    // Stopped while it restarts the music, so that no tick comes in between,
    // even while an error box of the restart is open.
    loopMonitor.setInterval(0);
    QString none;
    WaveCommand(kSeekPlay, kAnyWaveName, none);
    loopMonitor.setInterval(kLoopWatchInterval);
}

namespace {

// A position query that failed leaves only blanks: no wave was open to ask.
bool HoldsAPosition(const QString& reply) { return !reply.isEmpty() && reply.at(0).isDigit(); }

// The one-shot music has ended (or never started): close it, bring back the
// looping music it interrupted, and stop watching.
void FinishOneShot(SoundWindow& form) {
    QString none;
    WaveCommand(kStopClose, kAnyWaveName, none);
    // A music that cannot be resumed where it was (a `bgm` replaced it, or its
    // position was never had) starts from its beginning, as `bgm` starts it:
    // resumed from blanks it would be refused and the scene stay silent.
    const bool fromStart =
        form.LoopAfterOneShot || (form.ResumePending && !HoldsAPosition(form.ResumePosition));
    if (fromStart) {
        QString result;
        WaveCommand(kSeekLoop, Engine.MusicState, result);
    } else if (form.ResumePending) {
        WaveCommand(kOpenPlayResume, Engine.MusicState, form.ResumePosition);
        form.Mumer1().setInterval(kLoopWatchInterval);
    }
    form.ResumePending = false;
    form.LoopAfterOneShot = false;
    form.Mumer2().setInterval(0);
}

// Pauses the looping music: the loop monitor first, so that it cannot take the
// one-shot music for the end of its own; then the position, then the close.
void InterruptLoop(SoundWindow& form) {
    form.Mumer1().setInterval(0);
    QString buffer = BlankStatusBuffer();
    SendStatusQuery(kStatusPositionCommand, buffer);
    form.ResumePosition = buffer;
    QString none;
    WaveCommand(kStopClose, kAnyWaveName, none);
    form.ResumePending = true;
}

}  // namespace

void Mumer2_Timer() {
    SoundWindow& form = CurrentSoundWindow();
    const QString requested = form.Mumer2().tag();
    if (requested.isEmpty()) {
        // Watching. A running loop monitor means the open wave is the looping
        // music, not a one-shot one: that happens after a request the wave player
        // refused by its name (an upper-case ".WAV", an empty line). Left alone,
        // this monitor would close the looping music at its next end.
        // A loop started since replaces any loop this monitor had paused.
        if (form.Mumer1().interval() != 0) {
            form.ResumePending = false;
            form.LoopAfterOneShot = false;
            form.Mumer2().setInterval(0);
            return;
        }
        if (WaveIsPlaying()) return;
        FinishOneShot(form);
        return;
    }

    const bool interrupts =
        !form.ResumePending && EndsInLowerV(requested) && EndsInLowerV(Engine.MusicState);
    if (interrupts) InterruptLoop(form);
    QString result;
    WaveCommand(kOpenPlay, requested, result);
    // The interval stays as `music` set it: from the next tick on, watch.
    form.Mumer2().setTag(QString());
    // A one-shot music that cannot play is over now: the loop comes back at
    // once, before a `bgm` could start another and leave the resume pending for
    // good (every later `music` would then be dropped).
    if (interrupts && WaveResultCode(result) != 0) FinishOneShot(form);
}

void StartLoopAfterOneShot() {
    SoundWindow& form = CurrentSoundWindow();
    // Only a one-shot monitor that is watching holds the channel; a request not
    // yet started finds the new music playing and interrupts it as usual.
    if (form.Mumer2().interval() == 0 || !form.Mumer2().tag().isEmpty()) return;
    form.LoopAfterOneShot = true;
}

#include "scenario/SoundCommands.h"

#include <cstdint>

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/Timer.h"
#include "sound/MediaControl.h"
#include "sound/MusicMonitors.h"
#include "sound/SoundWindow.h"
#include "sound/WavePlayer.h"

namespace {

// Between two status queries of the voice wait. The windows keep painting
// meanwhile; the voice's end is noticed at most this much later.
constexpr int kVoicePollMilliseconds = 5;

// How long past its own length a voice may still be reported playing: a device
// that says "playing" for ever must not hold the story for ever.
constexpr int64_t kVoiceOverrunMilliseconds = 2000;

}  // namespace

bool SayCommand(const CommandArguments& args) {
    QString failed;  // the result flag, "no"; any code but 0 turns it to yes
    WaveCommand(kOpenPlay, args.rest, failed);
    // A busy channel, a missing file or a refused play: the voice is skipped.
    if (WaveResultCode(failed) != 0) return true;

    const StoryHold hold;
    Clock& clock = CurrentClock();
    int64_t giveUpAt = -1;  // asked once the voice is known to play
    for (;;) {
        uint32_t result = 0;
        const bool playing = WaveIsPlaying(&result);
        if (result != 0) {
            // Nothing is open to wait for: the name was one the wave player ignores.
            ShowMessage(kVoiceErrorMessage, MessageStyle::OkOnly);
            EndProgram(1);
            return true;
        }
        if (!playing) break;
        if (giveUpAt < 0) {
            const int64_t left = WaveTimeLeft();
            giveUpAt =
                left >= 0 ? clock.milliseconds() + left + kVoiceOverrunMilliseconds : INT64_MAX;
        }
        if (clock.milliseconds() >= giveUpAt) break;
        clock.holdFor(kVoicePollMilliseconds);
        // The player quit while the voice played (the close box is asked at once).
        if (ProgramHasEnded()) return false;
    }
    WaveCommand(kStopClose, args.rest, failed);
    return true;
}

// The game once played CD tracks; the command is kept so old scenarios still read.
bool CdbgmCommand(const CommandArguments&) { return true; }

bool BgmCommand(const CommandArguments& args) {
    QString result;
    WaveCommand(kSeekLoop, args.rest, result);
    return true;
}

bool MusicCommand(const CommandArguments& args) {
    // Played by the one-shot monitor once the interpreter is back in the event
    // loop; a second `music` before then replaces this one.
    SoundWindow& form = CurrentSoundWindow();
    form.Mumer2().setTag(args.rest);
    form.Mumer2().setInterval(kOneShotWatchInterval);
    return true;
}

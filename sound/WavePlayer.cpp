#include "sound/WavePlayer.h"

#include "platform/Timer.h"
#include "scenario/EngineState.h"
#include "sound/MediaControl.h"
#include "sound/MusicMonitors.h"
#include "sound/SoundWindow.h"

namespace {

constexpr uint8_t kWaveOpen = 255;

void WriteResult(QString& arg, WaveResult result) {
    arg = QString::number(static_cast<int>(result));
}

void StopClose(const QString&, QString&) {
    if (Engine.WavePlaying != kWaveOpen) return;
    ExecuteMediaCommand(kStopCommand);
    ExecuteMediaCommand(kCloseCommand);
    // Closed as far as the game knows, even if the service refused the commands.
    Engine.WavePlaying = 0;
}

void OpenPlayResume(const QString& name, QString& arg) {
    if (Engine.WavePlaying == kWaveOpen) return;
    if (SendMediaCommand(OpenCommand(name)) != 0) return;
    // A saved position reply ends at its NUL: the service reads the digits only.
    if (SendMediaCommand(kPlayFromCommand + arg) == 0) {
        Engine.WavePlaying = kWaveOpen;
    } else {
        ExecuteMediaCommand(kCloseCommand);
    }
}

void SeekPlay(const QString&, QString&) {
    if (Engine.WavePlaying != kWaveOpen) return;
    ExecuteMediaCommand(kSeekToStartCommand);
    ExecuteMediaCommand(kPlayNotifyCommand);
}

void OpenPlay(const QString& name, QString& arg) {
    if (Engine.WavePlaying == kWaveOpen) {
        WriteResult(arg, WaveResult::AlreadyOpen);
        return;
    }
    if (SendMediaCommand(OpenCommand(name)) != 0) {
        WriteResult(arg, WaveResult::OpenFailed);
        return;
    }
    if (SendMediaCommand(kPlayNotifyCommand) == 0) {
        Engine.WavePlaying = kWaveOpen;
        WriteResult(arg, WaveResult::Playing);
    } else {
        ExecuteMediaCommand(kCloseCommand);
        WriteResult(arg, WaveResult::PlayFailed);
    }
}

void SeekLoop(const QString& name, QString& arg) {
    PeriodicTimer& loopMonitor = CurrentSoundWindow().Mumer1();
    // Only a running loop monitor means that a looping music is open: while a
    // one-shot music plays the monitor is paused and the open wave is not ours.
    if (loopMonitor.interval() != 0) {
        loopMonitor.setInterval(0);
        WaveCommand(kStopClose, name, arg);
    }
    // Recorded before the open: a one-shot music that holds the device now
    // resumes this name when it ends.
    Engine.MusicState = name;
    WaveCommand(kOpenPlay, name, arg);
    const int code = WaveResultCode(arg);
    if (code == 0) loopMonitor.setInterval(kLoopFirstWatchInterval);
    if (code == static_cast<int>(WaveResult::AlreadyOpen)) StartLoopAfterOneShot();
}

using ModeHandler = void (*)(const QString& name, QString& arg);

struct Mode {
    const QString& word;
    ModeHandler handler;
};

// Same order as the mode words in WavePlayer.h (tag: wave-modes).
// clang-format off
const Mode kModes[] = {
    {kStopClose,      StopClose},       // stop, close                           if open
    {kOpenPlayResume, OpenPlayResume},  // open, play from; close if play fails  if closed
    {kSeekPlay,       SeekPlay},        // seek to start, play                   if open
    {kOpenPlay,       OpenPlay},        // open, play; close if play fails       if closed; codes 0-3
    {kSeekLoop,       SeekLoop},        // stopclose if looping, then openplay, monitor at 1 ms
};
// clang-format on

}  // namespace

QString OpenCommand(const QString& name) {
    return QStringLiteral("open ") + name + QStringLiteral(" alias wavplay");
}

int WaveResultCode(const QString& arg) { return arg.trimmed().toInt(); }

void WaveCommand(const QString& mode, const QString& name, QString& arg) {
    if (!EndsInLowerV(name)) return;
    for (const Mode& entry : kModes) {
        if (mode == entry.word) {
            entry.handler(name, arg);
            return;
        }
    }
}

#pragma once

#include <QString>

// The one procedure through which every wave sound is played, on one channel:
// the device opened under the alias "wavplay". At most one wave is open; a
// second open is refused, not queued or mixed.
//
// `mode` is one of the mode words below, compared exactly. A `name` whose last
// character is not a lower-case "v" makes the call do nothing at all (no command,
// no state change, `arg` untouched). `arg` is in and out: "openplay" and
// "seekloop" write a result code into it; "openplayresume" reads the position to
// resume from.
void WaveCommand(const QString& mode, const QString& name, QString& arg);

// The mode words, in the order WaveCommand compares them (tag: wave-modes).
// clang-format off
inline const QString kStopClose      = QStringLiteral("stopclose");       // stop, close
inline const QString kOpenPlayResume = QStringLiteral("openplayresume");  // open, play from arg
inline const QString kSeekPlay       = QStringLiteral("seekplay");        // back to start, play
inline const QString kOpenPlay       = QStringLiteral("openplay");        // open, play
inline const QString kSeekLoop       = QStringLiteral("seekloop");  // replace the looping music
// clang-format on

// Result codes of "openplay" and "seekloop", written into `arg` as text.
enum class WaveResult { Playing = 0, OpenFailed = 1, PlayFailed = 2, AlreadyOpen = 3 };

// The code held in `arg`: an empty value counts as 0, as a "no" flag does.
int WaveResultCode(const QString& arg);

// The commands the wave player and its monitors send to the media-control
// service. They are the wire format: sent exactly so. The open takes the name
// unchanged, without quotes, so a name with blanks cannot be opened; the play
// from a position is followed by the position in milliseconds. The status
// replies are "playing" or "stopped", the position and the length.
// clang-format off
QString OpenCommand(const QString& name);
inline const QString kPlayNotifyCommand     = QStringLiteral("play wavplay notify");
inline const QString kPlayFromCommand       = QStringLiteral("play wavplay from ");
inline const QString kSeekToStartCommand    = QStringLiteral("seek wavplay to start");
inline const QString kStopCommand           = QStringLiteral("stop wavplay");
inline const QString kCloseCommand          = QStringLiteral("close wavplay");
inline const QString kStatusModeCommand     = QStringLiteral("status wavplay mode");
inline const QString kStatusPositionCommand = QStringLiteral("status wavplay position");
inline const QString kStatusLengthCommand   = QStringLiteral("status wavplay length");
// clang-format on

// A name that only has to pass the lower-case "v" test: the monitors use it for
// modes that do not open a file.
inline const QString kAnyWaveName = QStringLiteral("wav");

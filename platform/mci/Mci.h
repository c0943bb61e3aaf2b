#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/mci/MciService.h"

class AudioOutput;

// The program's media-control service, with the two ways of talking to it.
// Command strings are bytes in the ANSI code page.

// Sends one command string. Returns 0 on success and an error code otherwise.
// With a `reply` buffer, the reply text and a NUL are written at its start (its
// size is the capacity); a failed command leaves the buffer as it was.
uint32_t mciSendString(const QByteArray& command, QByteArray* reply = nullptr);

// Sends one command string; when it fails, the service shows its own message
// box saying what went wrong. The code is returned for the log; the game does
// not look at it.
uint32_t mciExecute(const QByteArray& command);

// The output the service plays through unless told otherwise: the sound card
// through SDL; an output that follows the clock when there is no sound card or
// when time is stepped (a real device cannot follow a stepped clock).
std::unique_ptr<AudioOutput> DefaultAudioOutput();

// Closes every device and the output. The next open makes its output with
// `factory`, or DefaultAudioOutput() when none is given. For tests and the
// measuring programs.
void ResetMediaControl(MciService::OutputFactory factory = {});

// Each command and its result, as the service received them (tests record them).
enum class MciForm { SendString, Execute };
using MciObserver = std::function<void(MciForm form, const QByteArray& command, uint32_t result)>;
void SetMciObserver(MciObserver observer);

// Tests: a refusal sees each command before the service does; a non-zero code
// fails the command with that code, as a device that cannot play would.
using MciRefusal = std::function<uint32_t(const QByteArray& command)>;
void SetMciRefusal(MciRefusal refusal);

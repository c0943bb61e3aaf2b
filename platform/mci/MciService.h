#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class AudioOutput;

// Error codes of the media-control service; 0 is success.
enum MciError : uint32_t {
    kMciSuccess = 0,
    kMciInvalidDevice = 257,        // no device open under that alias
    kMciUnrecognizedKeyword = 259,  // a word the command does not take
    kMciUnrecognizedCommand = 261,  // not a command the service knows
    kMciMissingCommand = 267,       // an empty command
    kMciBadInteger = 270,           // a position that is not a number
    kMciMissingParameter = 273,     // a keyword without its value
    kMciFileNotFound = 275,
    kMciAliasInUse = 289,
    kMciBadTimeFormat = 293,
    kMciInvalidFile = 296,  // not a wave, or damaged beyond reading
};

// The service's own description of a code, shown when mciExecute fails.
QString MciErrorText(uint32_t code);

// The media-control service: wave devices opened, played, positioned, queried
// and closed through command strings such as
//
//   open loop101s.wav alias wavplay       play wavplay notify
//   play wavplay from 1234                seek wavplay to start
//   stop wavplay                          close wavplay
//   status wavplay mode                   status wavplay position
//
// Words are separated by blanks; keywords and aliases ignore case; a file name
// with blanks must be in double quotes, otherwise its pieces are unknown words
// and the open fails. Positions are milliseconds. "mode" answers "playing" while
// the wave plays and "stopped" before, after its end and after a stop. On an
// output that takes its samples in turns (a sound card) the end comes once the
// next turn will take the last samples: what is sent then is heard right after
// them.
//
// Commands come from the user-interface thread; the output may take samples on
// a thread of its own. Both meet under one lock, so a query never sees a device
// half-changed by the audio thread.
class MciService {
  public:
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

    // The output is made at the first open, so that a game without sound never
    // touches the sound device.
    explicit MciService(OutputFactory factory);
    ~MciService();
    MciService(const MciService&) = delete;
    MciService& operator=(const MciService&) = delete;

    // Carries out `command` (bytes in the ANSI code page; it ends at the first
    // NUL, if any). On success the reply and a NUL are written to the start of
    // `reply`, whose size is its capacity; the bytes after the NUL are left as
    // they were. On failure `reply` is not touched.
    uint32_t sendString(const QByteArray& command, QByteArray* reply);

    // Closes every device and the output; the next open makes a new output.
    void reset();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "platform/mci/AudioOutput.h"
#include "support/CoreFixture.h"
#include "support/WaveFiles.h"

// A game whose sound goes to an output that follows the stepped clock and keeps
// every sample it takes, with every media-control command recorded.
class SoundFixture : public CoreFixture {
  protected:
    // The output's rate: one millisecond is eight frames.
    static constexpr int kRate = 8000;

    void SetUp() override;
    void TearDown() override;

    // A mono float wave at kRate holding Ramp(frames, sign).
    void writeRamp(const QString& name, int milliseconds, float sign = 1.0f);

    // The commands sent so far, as "send: TEXT" or "exec: TEXT", each up to its
    // NUL, then forgets them.
    QStringList takeCommands();
    // The full texts (NUL and what follows included) and when they were sent.
    struct Sent {
        QString text;
        qint64 atMs;
        uint32_t result;
    };
    const std::vector<Sent>& sent() const { return sent_; }

    // The commands other than the monitors' and the voice wait's mode queries and
    // the loop monitor's questions of the time left.
    static QStringList WithoutPolling(const QStringList& commands);

    // The left channel of everything the output took, one sample per frame.
    std::vector<float> recorded() const;
    // Lets the output take the frames up to now (as any command does).
    void catchUpOutput();

    std::shared_ptr<AudioRecording> recording_;

  private:
    bool observing_ = true;
    QStringList commands_;
    std::vector<Sent> sent_;
};

// The service on an output that takes its frames in turns, as a sound card's
// callback does, with commands in between: a wave whose last samples the next
// turn takes is at its end, and a loop restarted then follows it with no
// sample of silence. Ramps tell each recorded sample's frame.
#include <gtest/gtest.h>

#include <QByteArray>

#include "platform/mci/AudioOutput.h"
#include "platform/mci/MciService.h"
#include "support/MciReply.h"
#include "support/TempFolder.h"
#include "support/WaveFiles.h"

namespace {

constexpr int kRate = 8000;
constexpr int kTurn = 256;

class TurnTakingOutput : public AudioOutput {
  public:
    explicit TurnTakingOutput(std::shared_ptr<AudioRecording> recording)
        : recording_(std::move(recording)) {}
    int sampleRate() const override { return kRate; }
    int bufferFrames() const override { return kTurn; }
    int framesTakenAhead() const override { return kTurn; }
    void start(AudioSource& source) override { source_ = &source; }

    void takeTurn() {
        std::vector<float> chunk(kTurn * 2, 0.0f);
        source_->render(chunk.data(), kTurn);
        recording_->append(chunk.data(), kTurn);
    }

  private:
    std::shared_ptr<AudioRecording> recording_;
    AudioSource* source_ = nullptr;
};

class LoopSeams : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        auto recording = recording_;
        service_ = std::make_unique<MciService>([this, recording] {
            auto output = std::make_unique<TurnTakingOutput>(recording);
            output_ = output.get();
            return output;
        });
    }
    void TearDown() override { service_.reset(); }

    void writeRamp(const QString& name, int frames, float sign = 1.0f) {
        ASSERT_TRUE(
            WriteWave(dir_.filePath(name), kRate, 1, WaveEncoding::Float, Ramp(frames, sign)));
    }
    // A ramp of `frames` written, opened as wavplay and playing.
    void playRamp(const QByteArray& name, int frames, float sign = 1.0f) {
        writeRamp(QString::fromLatin1(name), frames, sign);
        ASSERT_EQ(send("open " + name + " alias wavplay"), 0u);
        ASSERT_EQ(send("play wavplay notify"), 0u);
    }
    uint32_t send(const QByteArray& command) { return service_->sendString(command, nullptr); }
    QByteArray ask(const QByteArray& command) { return Ask(*service_, command); }

    // What the loop monitor does between turns: a stopped music starts over.
    void restartIfStopped() {
        if (ask("status wavplay mode") != "stopped") return;
        ASSERT_EQ(send("seek wavplay to start"), 0u);
        ASSERT_EQ(send("play wavplay notify"), 0u);
    }

    std::vector<int> recordedFrames() const {
        std::vector<int> frames;
        for (float sample : LeftChannel(recording_->samples()))
            frames.push_back(RampFrame(sample));
        return frames;
    }

    // Checks that `frames` holds whole passes of a ramp of `length` back to back
    // from its first sample, and returns how many there are.
    static int backToBackPasses(const std::vector<int>& frames, int length) {
        size_t i = 0;
        while (i < frames.size() && frames[i] == static_cast<int>(i % static_cast<size_t>(length)))
            ++i;
        EXPECT_TRUE(i == frames.size() || frames[i] == -1) << "frame " << frames[i] << " at " << i;
        return static_cast<int>(i / static_cast<size_t>(length));
    }

    TempFolder dir_{TempFolder::Entered};
    std::shared_ptr<AudioRecording> recording_ = std::make_shared<AudioRecording>();
    std::unique_ptr<MciService> service_;
    TurnTakingOutput* output_ = nullptr;
};

TEST_F(LoopSeams, ALoopRestartedAtItsEndPlaysOnWithoutASilentSample) {
    // 1,000 frames: the last turn of each pass takes its end and the next start.
    playRamp("loop.wav", 1000);
    int ends = 0;
    for (int turn = 0; turn < 40; ++turn) {
        output_->takeTurn();
        if (ask("status wavplay mode") == "stopped") {
            // At its end as far as anyone can ask, though one turn has still to take it.
            EXPECT_EQ(ask("status wavplay position"), "125");
            ++ends;
        }
        restartIfStopped();
    }
    const std::vector<int> frames = recordedFrames();
    EXPECT_EQ(ends, 10);
    EXPECT_EQ(backToBackPasses(frames, 1000), 10);
    EXPECT_EQ(frames.size(), 40u * kTurn);
}

TEST_F(LoopSeams, WavesShorterThanATurnLoopBackToBackAndTheirTailStaysWithinOne) {
    playRamp("blip.wav", 100);
    // Asked every millisecond: a few passes fit in what one turn takes, no more.
    int restarts = 0;
    for (int turn = 0; turn < 4; ++turn) {
        for (int ms = 0; ms < 30; ++ms) {
            if (ask("status wavplay mode") == "stopped") ++restarts;
            restartIfStopped();
        }
        output_->takeTurn();
    }
    EXPECT_LE(restarts, 4 * (kTurn / 100 + 1));
    EXPECT_GE(backToBackPasses(recordedFrames(), 100), 4 * kTurn / 100);
}

// Whatever follows the end, the output still gets the last samples: a stop, a
// close, a seek without play, or another file opened under the same alias.
TEST_F(LoopSeams, TheLastTurnIsHeardAfterStopCloseOrSeek) {
    for (const QByteArray command : {"stop wavplay", "close wavplay", "seek wavplay to 10"}) {
        SCOPED_TRACE(command.toStdString());
        recording_->clear();
        playRamp("music.wav", 600);
        output_->takeTurn();
        output_->takeTurn();
        ASSERT_EQ(ask("status wavplay mode"), "stopped");
        ASSERT_EQ(send(command), 0u);
        if (command.startsWith("close")) {
            // The jingle's close and the resumed music's open, as the one-shot
            // monitor sends them: both are heard, one after the other.
            playRamp("other.wav", 300, -1.0f);
        }
        output_->takeTurn();
        output_->takeTurn();
        const std::vector<float> left = LeftChannel(recording_->samples());
        for (int i = 0; i < 600; ++i)
            ASSERT_EQ(RampFrame(left[static_cast<size_t>(i)]), i) << "frame " << i;
        if (command.startsWith("close")) {
            for (int i = 0; i < 300; ++i)
                ASSERT_LT(left[static_cast<size_t>(600 + i)], 0.0f) << "frame " << 600 + i;
        } else {
            EXPECT_EQ(left[600], 0.0f);
            EXPECT_EQ(ask("status wavplay mode"), "stopped");
        }
        service_->reset();
    }
}

}  // namespace

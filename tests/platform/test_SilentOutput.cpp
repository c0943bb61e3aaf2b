// An output that nobody hears only moves the waves on: the device must answer
// every status query exactly as one that renders and records each sample.
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/mci/AudioOutput.h"
#include "platform/mci/MciService.h"
#include "support/MciReply.h"
#include "support/TempFolder.h"
#include "support/WaveFiles.h"

namespace {

TEST(SilentOutput, AnswersLikeAnOutputThatRenders) {
    const TempFolder dir(TempFolder::Entered);
    SteppedClock clock{0};
    SetClock(&clock);
    // 22.05 kHz into 44.1 kHz: the rendering output resamples, the silent one counts.
    ASSERT_TRUE(WriteWave("music.wav", 22050, 1, WaveEncoding::Pcm16, Ramp(22050 * 3 / 4)));
    auto recording = std::make_shared<AudioRecording>();
    MciService rendering([recording] { return MakeClockedAudioOutput(44100, recording); });
    MciService silent([] { return MakeClockedAudioOutput(44100); });

    // Each step: milliseconds to move on, then a command for both (or none).
    // clang-format off
    const std::vector<std::pair<int, QByteArray>> steps{
        {0, "open music.wav alias wavplay"}, {0, "play wavplay notify"}, {1, ""}, {333, ""},
        {200, "stop wavplay"}, {50, "play wavplay from 700"}, {49, ""},
        {2, ""},  // the end: stopped at its length
        {10, "seek wavplay to start"}, {0, "play wavplay notify"}, {749, ""}, {1, ""},
        {1, "play wavplay from 100"}, {120, ""}};
    // clang-format on
    for (const auto& [ms, command] : steps) {
        clock.advance(ms);
        SCOPED_TRACE(std::to_string(clock.milliseconds()) + " " + command.toStdString());
        if (!command.isEmpty()) {
            ASSERT_EQ(rendering.sendString(command, nullptr), 0u);
            ASSERT_EQ(silent.sendString(command, nullptr), 0u);
        }
        for (const QByteArray item : {"mode", "position"}) {
            const QByteArray query = "status wavplay " + item;
            EXPECT_EQ(Ask(silent, query), Ask(rendering, query));
        }
    }
    EXPECT_GT(recording->frames(), 0);
    SetClock(nullptr);
}

}  // namespace

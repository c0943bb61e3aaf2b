// The media-control service on its own: command parsing, return codes, replies,
// positions that follow the output, and every kind of wave file it may be given.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>

#include "platform/Clock.h"
#include "platform/mci/AudioOutput.h"
#include "platform/mci/Mci.h"
#include "platform/mci/MciService.h"
#include "support/MciReply.h"
#include "support/MessageScript.h"
#include "support/TempFolder.h"
#include "support/WaveFiles.h"

namespace {

class MediaControlService : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetClock(&clock_);
    }
    void TearDown() override {
        service_.reset();
        SetClock(nullptr);
    }

    // Opens a service whose output takes frames as the stepped clock moves.
    void useOutputAt(int rate) {
        auto recording = recording_;
        service_ = std::make_unique<MciService>(
            [rate, recording] { return MakeClockedAudioOutput(rate, recording); });
    }

    void writeWave(const QString& name, int rate, int channels, WaveEncoding encoding,
                   const std::vector<float>& samples) {
        ASSERT_TRUE(WriteWave(dir_.filePath(name), rate, channels, encoding, samples));
    }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        ASSERT_FALSE(dir_.write(name, bytes).isEmpty());
    }

    uint32_t send(const QByteArray& command) { return service_->sendString(command, nullptr); }
    // The reply up to its NUL; "error N" when the command failed.
    QByteArray ask(const QByteArray& command) { return Ask(*service_, command); }

    std::vector<float> recordedLeft() const {
        const std::vector<float> stereo = recording_->samples();
        std::vector<float> left(stereo.size() / 2);
        for (size_t i = 0; i < left.size(); ++i)
            left[i] = stereo[2 * i];
        return left;
    }

    TempFolder dir_{TempFolder::Entered};
    SteppedClock clock_{0};
    std::shared_ptr<AudioRecording> recording_ = std::make_shared<AudioRecording>();
    std::unique_ptr<MciService> service_;
};

TEST_F(MediaControlService, PlaysFollowsTheOutputAndStopsAtTheEnd) {
    useOutputAt(8000);
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(8000));  // one second
    EXPECT_EQ(send("open ramp.wav alias wavplay"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    EXPECT_EQ(ask("status wavplay length"), "1000");
    EXPECT_EQ(send("play wavplay notify"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "playing");
    clock_.advance(250);
    EXPECT_EQ(ask("status wavplay position"), "250");
    EXPECT_EQ(ask("status wavplay mode"), "playing");
    clock_.advance(750);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    EXPECT_EQ(ask("status wavplay position"), "1000");
    clock_.advance(100);
    EXPECT_EQ(send("close wavplay"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "error 257");

    // What the output took: the whole ramp once, in order, then silence.
    const std::vector<float> left = recordedLeft();
    ASSERT_EQ(left.size(), 8800u);
    for (int i = 0; i < 8000; ++i)
        ASSERT_EQ(RampFrame(left[static_cast<size_t>(i)]), i) << "frame " << i;
    for (size_t i = 8000; i < left.size(); ++i)
        ASSERT_EQ(left[i], 0.0f);
}

TEST_F(MediaControlService, ReplyEndsAtANulAndKeepsTheRestOfTheBuffer) {
    useOutputAt(8000);
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(8000));
    ASSERT_EQ(send("open ramp.wav alias wavplay"), 0u);
    ASSERT_EQ(send("play wavplay"), 0u);
    clock_.advance(1234);  // past the end: the position stays at the length

    QByteArray buffer(80, ' ');
    ASSERT_EQ(service_->sendString("status wavplay position", &buffer), 0u);
    EXPECT_EQ(buffer, QByteArray("1000") + '\0' + QByteArray(75, ' '));

    QByteArray small(3, '#');
    ASSERT_EQ(service_->sendString("status wavplay mode", &small), 0u);
    EXPECT_EQ(small, QByteArray("st") + '\0');

    QByteArray untouched(80, ' ');
    EXPECT_NE(service_->sendString("status nothing mode", &untouched), 0u);
    EXPECT_EQ(untouched, QByteArray(80, ' '));
}

TEST_F(MediaControlService, ACommandEndsAtItsFirstNul) {
    useOutputAt(8000);
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(16000));
    ASSERT_EQ(send("open ramp.wav alias wavplay"), 0u);
    // A saved position reply as the one-shot monitor keeps it: digits, NUL, blanks.
    const QByteArray saved = QByteArray("1200") + '\0' + QByteArray(75, ' ');
    EXPECT_EQ(send("play wavplay from " + saved), 0u);
    EXPECT_EQ(ask("status wavplay position"), "1200");
    clock_.advance(10);
    EXPECT_EQ(ask("status wavplay position"), "1210");
    EXPECT_EQ(RampFrame(recordedLeft().front()), 1200 * 8);
}

TEST_F(MediaControlService, SeekStopAndPlayOn) {
    useOutputAt(8000);
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(8000));
    ASSERT_EQ(send("open ramp.wav alias wavplay"), 0u);
    ASSERT_EQ(send("play wavplay notify"), 0u);
    clock_.advance(300);
    EXPECT_EQ(send("stop wavplay"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    clock_.advance(500);
    EXPECT_EQ(ask("status wavplay position"), "300");
    EXPECT_EQ(send("play wavplay"), 0u);
    clock_.advance(100);
    EXPECT_EQ(ask("status wavplay position"), "400");
    EXPECT_EQ(send("seek wavplay to start"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    EXPECT_EQ(ask("status wavplay position"), "0");
    EXPECT_EQ(send("seek wavplay to end"), 0u);
    EXPECT_EQ(ask("status wavplay position"), "1000");
    EXPECT_EQ(send("seek wavplay to 250"), 0u);
    EXPECT_EQ(ask("status wavplay position"), "250");
    EXPECT_EQ(send("set wavplay time format milliseconds"), 0u);
    EXPECT_EQ(send("set wavplay time format frames"), static_cast<uint32_t>(kMciBadTimeFormat));
}

TEST_F(MediaControlService, APositionPastTheEndPlaysNothing) {
    // Resuming a shorter music at a longer one's position: it is at its end at
    // once, and the loop monitor starts it over, instead of the play failing.
    useOutputAt(8000);
    writeWave("short.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    ASSERT_EQ(send("open short.wav alias wavplay"), 0u);
    EXPECT_EQ(send("play wavplay from 5000"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    EXPECT_EQ(ask("status wavplay position"), "100");
}

TEST_F(MediaControlService, WordsAndFileNamesIgnoreCaseQuotesHoldBlanks) {
    useOutputAt(8000);
    writeWave("my music.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    EXPECT_EQ(send("OPEN \"my music.wav\" Type WaveAudio ALIAS WavPlay"), 0u);
    EXPECT_EQ(send("Play WAVPLAY Notify"), 0u);
    EXPECT_EQ(ask("STATUS wavplay MODE"), "playing");
    // Names as written on a case-blind system, with backslashes.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Music"));
    writeWave("Music/Theme.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    ASSERT_EQ(send("close wavplay"), 0u);
    EXPECT_EQ(send("open music\\THEME.wav alias wavplay"), 0u);
}

struct Refused {
    const char* name;
    const char* setup;  // "": nothing open; "open": ramp.wav open as wavplay
    QByteArray command;
    uint32_t code;
};

class RefusedCommands : public MediaControlService,
                        public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedCommands, FailWithTheirCodeAndChangeNothing) {
    useOutputAt(8000);
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(8000));
    writeWave("my music.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    writeBytes("text.wav", "this is a text file with a wave's name\r\n");
    writeBytes("empty.wav", "");
    writeBytes("header.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));
    if (QByteArray(GetParam().setup) == "open") {
        ASSERT_EQ(send("open ramp.wav alias wavplay"), 0u);
    }

    EXPECT_EQ(send(GetParam().command), GetParam().code);
    if (QByteArray(GetParam().setup) == "open") {
        EXPECT_EQ(ask("status wavplay mode"), "stopped");
        EXPECT_EQ(ask("status wavplay position"), "0");
    } else {
        EXPECT_EQ(ask("status wavplay mode"), "error 257");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Service, RefusedCommands,
    ::testing::Values(
        Refused{"UnknownAlias", "", "play wavplay notify", kMciInvalidDevice},
        Refused{"StatusOfNothing", "", "status wavplay mode", kMciInvalidDevice},
        Refused{"CloseOfNothing", "", "close wavplay", kMciInvalidDevice},
        Refused{"MissingFile", "", "open missing.wav alias wavplay", kMciFileNotFound},
        Refused{"TextFile", "", "open text.wav alias wavplay", kMciInvalidFile},
        Refused{"EmptyFile", "", "open empty.wav alias wavplay", kMciInvalidFile},
        Refused{"HeaderOnly", "", "open header.wav alias wavplay", kMciInvalidFile},
        Refused{"Folder", "", "open . alias wavplay", kMciFileNotFound},
        Refused{"NameWithBlanks", "", "open my music.wav alias wavplay", kMciUnrecognizedKeyword},
        Refused{"UnclosedQuote", "", "open \"my music.wav alias wavplay", kMciMissingParameter},
        Refused{"AliasWithoutName", "", "open ramp.wav alias", kMciMissingParameter},
        Refused{"OpenWithoutFile", "", "open", kMciMissingParameter},
        Refused{"EmptyCommand", "", "", kMciMissingCommand},
        Refused{"BlankCommand", "", "   ", kMciMissingCommand},
        Refused{"UnknownCommand", "", "rewind wavplay", kMciUnrecognizedCommand},
        Refused{"AliasInUse", "open", "open ramp.wav alias wavplay", kMciAliasInUse},
        Refused{"EmptyPosition", "open", "play wavplay from ", kMciMissingParameter},
        Refused{"BlankPosition", "open", "play wavplay from " + QByteArray(80, ' '),
                kMciMissingParameter},
        Refused{"NotANumber", "open", "play wavplay from 12x", kMciBadInteger},
        Refused{"NegativePosition", "open", "play wavplay from -5", kMciBadInteger},
        Refused{"HugePosition", "open", "play wavplay from 123456789012", kMciBadInteger},
        Refused{"UnknownWord", "open", "play wavplay loudly", kMciUnrecognizedKeyword},
        Refused{"SeekNowhere", "open", "seek wavplay", kMciMissingParameter},
        Refused{"SeekToWhat", "open", "seek wavplay to", kMciMissingParameter},
        Refused{"StatusOfWhat", "open", "status wavplay", kMciMissingParameter},
        Refused{"StatusVolume", "open", "status wavplay volume", kMciUnrecognizedKeyword}),
    [](const ::testing::TestParamInfo<Refused>& info) { return info.param.name; });

TEST_F(MediaControlService, AZeroLengthWaveOpensAndIsOverAtOnce) {
    useOutputAt(8000);
    writeWave("zero.wav", 8000, 1, WaveEncoding::Pcm16, {});
    ASSERT_EQ(send("open zero.wav alias wavplay"), 0u);
    EXPECT_EQ(send("play wavplay notify"), 0u);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    clock_.advance(50);
    EXPECT_EQ(ask("status wavplay position"), "0");
}

TEST_F(MediaControlService, ATruncatedWavePlaysWhatItHas) {
    useOutputAt(8000);
    writeWave("full.wav", 8000, 1, WaveEncoding::Pcm16, Sine(8000, 1, 400, 1.0));
    QFile full(dir_.filePath("full.wav"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    writeBytes("cut.wav", full.read(44 + 2 * 2000));  // header says 8000 frames, 2000 there
    ASSERT_EQ(send("open cut.wav alias wavplay"), 0u);
    ASSERT_EQ(send("play wavplay"), 0u);
    clock_.advance(249);
    EXPECT_EQ(ask("status wavplay mode"), "playing");
    clock_.advance(2);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
}

// Every encoding and rate plays at its own pitch and length through an output
// running at another rate.
struct Variant {
    const char* name;
    int rate;
    int channels;
    WaveEncoding encoding;
};

class WaveVariants : public MediaControlService, public ::testing::WithParamInterface<Variant> {};

TEST_P(WaveVariants, PlayAtTheRightPitchAndLength) {
    const Variant& v = GetParam();
    constexpr int kOutputRate = 44100;
    constexpr double kHz = 441.0;
    useOutputAt(kOutputRate);
    writeWave("tone.wav", v.rate, v.channels, v.encoding, Sine(v.rate, v.channels, kHz, 0.5));
    ASSERT_EQ(send("open tone.wav alias wavplay"), 0u);
    // ADPCM stores whole blocks: the file holds up to one block of silence more.
    const int padding = v.encoding == WaveEncoding::ImaAdpcm || v.encoding == WaveEncoding::MsAdpcm
                            ? 1024 * 1000 / v.rate
                            : 0;
    const int length = ask("status wavplay length").toInt();
    EXPECT_GE(length, 500);
    EXPECT_LE(length, 500 + padding);
    ASSERT_EQ(send("play wavplay notify"), 0u);
    clock_.advance(length - 5);
    EXPECT_EQ(ask("status wavplay mode"), "playing");
    clock_.advance(10);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    clock_.advance(100);
    ask("status wavplay mode");

    const std::vector<float> left = recordedLeft();
    size_t first = 0, last = 0;
    for (size_t i = 0; i < left.size(); ++i) {
        if (std::fabs(left[i]) > 0.02f) {
            if (first == 0 && last == 0) first = i;
            last = i;
        }
    }
    // Heard for the half second written, and no longer than the file lasts (an
    // encoder's padding may be silent or not)...
    const double seconds = static_cast<double>(last - first) / kOutputRate;
    EXPECT_GE(seconds, 0.496);
    EXPECT_LE(seconds, length / 1000.0 + 0.004);
    // ...at the pitch it was written with.
    const size_t tone = first + static_cast<size_t>(0.5 * kOutputRate);
    int rising = 0;
    bool below = false;  // with hysteresis, so that coding noise near zero counts no cycle
    for (size_t i = first; i < tone; ++i) {
        if (left[i] < -0.1f) below = true;
        if (below && left[i] > 0.1f) {
            below = false;
            ++rising;
        }
    }
    EXPECT_NEAR(rising / 0.5, kHz, kHz * 0.01);
    float peak = 0.0f;
    for (float s : left)
        peak = std::max(peak, std::fabs(s));
    EXPECT_NEAR(peak, 0.5f, 0.06f);
}

INSTANTIATE_TEST_SUITE_P(
    Service, WaveVariants,
    ::testing::Values(Variant{"Pcm8Mono11k", 11025, 1, WaveEncoding::Pcm8},
                      Variant{"Pcm16Stereo48k", 48000, 2, WaveEncoding::Pcm16},
                      Variant{"Pcm16Mono44k", 44100, 1, WaveEncoding::Pcm16},
                      Variant{"Pcm24Stereo22k", 22050, 2, WaveEncoding::Pcm24},
                      Variant{"Pcm32Mono32k", 32000, 1, WaveEncoding::Pcm32},
                      Variant{"FloatStereo96k", 96000, 2, WaveEncoding::Float},
                      Variant{"ImaAdpcmMono22k", 22050, 1, WaveEncoding::ImaAdpcm},
                      Variant{"MsAdpcmStereo11k", 11025, 2, WaveEncoding::MsAdpcm},
                      Variant{"FloatSixChannels44k", 44100, 6, WaveEncoding::Float},
                      Variant{"Pcm16Stereo192k", 192000, 2, WaveEncoding::Pcm16},
                      Variant{"ULawMono8k", 8000, 1, WaveEncoding::ULaw},
                      Variant{"ALawMono8k", 8000, 1, WaveEncoding::ALaw}),
    [](const ::testing::TestParamInfo<Variant>& info) { return info.param.name; });

// Hostile files: each is refused or plays and ends on its own, and none makes
// the service allocate or resample without bound.
struct HostileWave {
    const char* name;
    QByteArray (*bytes)(const QByteArray& valid);  // from a valid 1-second 8 kHz wave
    uint32_t openResult;
};

// The valid wave with the 32-bit field at `offset` replaced (little-endian).
QByteArray Patched(QByteArray wave, int offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        wave[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    return wave;
}
QByteArray AtRate(const QByteArray& wave, uint32_t rate) {
    return Patched(Patched(wave, 24, rate), 28, rate * 2);
}

class HostileWaves : public MediaControlService,
                     public ::testing::WithParamInterface<HostileWave> {};

TEST_P(HostileWaves, AreRefusedOrPlayAndEnd) {
    const HostileWave& h = GetParam();
    useOutputAt(44100);
    writeWave("valid.wav", 8000, 1, WaveEncoding::Pcm16, Sine(8000, 1, 400, 1.0));
    QFile valid(dir_.filePath("valid.wav"));
    ASSERT_TRUE(valid.open(QIODevice::ReadOnly));
    writeBytes("hostile.wav", h.bytes(valid.readAll()));
    ASSERT_EQ(send("open hostile.wav alias wavplay"), h.openResult);
    if (h.openResult != 0) {
        EXPECT_EQ(ask("status wavplay mode"), "error 257");
        return;
    }
    ASSERT_EQ(send("play wavplay"), 0u);
    clock_.advance(1100);
    EXPECT_EQ(ask("status wavplay mode"), "stopped");
    EXPECT_LE(ask("status wavplay length").toInt(), 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Service, HostileWaves,
    ::testing::Values(
        HostileWave{"HeaderOnly", [](const QByteArray& w) { return w.left(44); }, 0},
        HostileWave{"DataSizeLies", [](const QByteArray& w) { return Patched(w, 40, 0x7ffffff0); },
                    0},
        HostileWave{
            "OggRenamed",
            [](const QByteArray&) { return QByteArray("OggS\0\2", 6) + QByteArray(200, 'x'); },
            kMciInvalidFile},
        HostileWave{
            "Mp3Renamed",
            [](const QByteArray&) { return QByteArray("ID3\4\0\0", 6) + QByteArray(200, 0); },
            kMciInvalidFile},
        HostileWave{"OneHertzIn50Bytes", [](const QByteArray& w) { return AtRate(w.left(50), 1); },
                    kMciInvalidFile},
        HostileWave{"Rate999", [](const QByteArray& w) { return AtRate(w, 999); }, kMciInvalidFile},
        HostileWave{"Rate1000", [](const QByteArray& w) { return AtRate(w.left(44 + 2000), 1000); },
                    0},
        HostileWave{"Rate384001", [](const QByteArray& w) { return AtRate(w, 384001); },
                    kMciInvalidFile}),
    [](const ::testing::TestParamInfo<HostileWave>& info) { return info.param.name; });

// The program's own entry points: mciExecute says what failed, mciSendString
// does not.
class MediaControlEntryPoints : public MediaControlService {
  protected:
    void SetUp() override {
        MediaControlService::SetUp();
        ResetMediaControl([] { return MakeClockedAudioOutput(8000); });
    }
    void TearDown() override {
        ResetMediaControl();
        MediaControlService::TearDown();
    }
};

TEST_F(MediaControlEntryPoints, OnlyAFailingExecuteShowsTheServicesMessage) {
    writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    MessageScript boxes;
    EXPECT_EQ(mciSendString("stop wavplay"), static_cast<uint32_t>(kMciInvalidDevice));
    ASSERT_EQ(mciSendString("open ramp.wav alias wavplay"), 0u);
    EXPECT_EQ(mciExecute("play wavplay notify"), 0u);
    EXPECT_EQ(mciExecute("close wavplay"), 0u);
    EXPECT_TRUE(boxes.shown().empty());
    boxes.expectContaining(QStringLiteral("「stop wavplay」"));
    EXPECT_EQ(mciExecute("stop wavplay"), static_cast<uint32_t>(kMciInvalidDevice));
    EXPECT_TRUE(boxes.finished());
    EXPECT_TRUE(boxes.shown().back().contains(MciErrorText(kMciInvalidDevice)));
}

}  // namespace

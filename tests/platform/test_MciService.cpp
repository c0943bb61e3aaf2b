// The media-control service on its own: command parsing, return codes, replies,
// positions that follow the output, and every kind of wave file it may be given.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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
    // A service on an 8 kHz output and a one-second ramp, ramp.wav.
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetClock(&clock_);
        useOutputAt(8000);
        writeWave("ramp.wav", 8000, 1, WaveEncoding::Float, Ramp(8000));
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

    // Runs steps "[+MS ]COMMAND = GIVES": steps the clock by MS, then sends
    // COMMAND, which gives its reply if it is a status query, else its code.
    void run(const QList<QByteArray>& steps) {
        for (QByteArray step : steps) {
            if (step.startsWith('+')) {
                clock_.advance(step.mid(1, step.indexOf(' ') - 1).toInt());
                step = step.mid(step.indexOf(' ') + 1);
            }
            const QByteArray command = step.left(step.lastIndexOf(" = "));
            const QByteArray gives = step.mid(step.lastIndexOf(" = ") + 3);
            const bool query = command.toLower().startsWith("status");
            EXPECT_EQ(query ? ask(command) : QByteArray::number(send(command)), gives)
                << command.toStdString() << " at " << clock_.milliseconds();
        }
    }

    std::vector<float> recordedLeft() const { return LeftChannel(recording_->samples()); }

    TempFolder dir_{TempFolder::Entered};
    SteppedClock clock_{0};
    std::shared_ptr<AudioRecording> recording_ = std::make_shared<AudioRecording>();
    std::unique_ptr<MciService> service_;
};

TEST_F(MediaControlService, PlaysFollowsTheOutputAndStopsAtTheEnd) {
    run({"open ramp.wav alias wavplay = 0", "status wavplay mode = stopped",
         "status wavplay length = 1000", "play wavplay notify = 0", "status wavplay mode = playing",
         "+250 status wavplay position = 250", "status wavplay mode = playing",
         "+750 status wavplay mode = stopped", "status wavplay position = 1000",
         "+100 close wavplay = 0", "status wavplay mode = error 257"});

    // What the output took: the whole ramp once, in order, then silence.
    const std::vector<float> left = recordedLeft();
    ASSERT_EQ(left.size(), 8800u);
    for (int i = 0; i < 8000; ++i)
        ASSERT_EQ(RampFrame(left[static_cast<size_t>(i)]), i) << "frame " << i;
    for (size_t i = 8000; i < left.size(); ++i)
        ASSERT_EQ(left[i], 0.0f);
}

TEST_F(MediaControlService, RepliesAndCommandsEndAtTheirFirstNul) {
    writeWave("long.wav", 8000, 1, WaveEncoding::Float, Ramp(16000));
    ASSERT_EQ(send("open long.wav alias wavplay"), 0u);
    // A saved position reply as the one-shot monitor keeps it: digits, NUL, blanks.
    const QByteArray saved = QByteArray("1200") + '\0' + QByteArray(75, ' ');
    run({"play wavplay from " + saved + " = 0", "status wavplay position = 1200",
         "+10 status wavplay position = 1210"});
    EXPECT_EQ(RampFrame(recordedLeft().front()), 1200 * 8);
    clock_.advance(1000);  // past the end: the position stays at the length

    QByteArray buffer(80, ' ');
    ASSERT_EQ(service_->sendString("status wavplay position", &buffer), 0u);
    EXPECT_EQ(buffer, QByteArray("2000") + '\0' + QByteArray(75, ' '));
    QByteArray small(3, '#');
    ASSERT_EQ(service_->sendString("status wavplay mode", &small), 0u);
    EXPECT_EQ(small, QByteArray("st") + '\0');
    QByteArray untouched(80, ' ');
    EXPECT_NE(service_->sendString("status nothing mode", &untouched), 0u);
    EXPECT_EQ(untouched, QByteArray(80, ' '));
}

TEST_F(MediaControlService, SeekStopAndPlayOn) {
    run({"open ramp.wav alias wavplay = 0", "play wavplay notify = 0", "+300 stop wavplay = 0",
         "status wavplay mode = stopped", "+500 status wavplay position = 300", "play wavplay = 0",
         "+100 status wavplay position = 400", "seek wavplay to start = 0",
         "status wavplay mode = stopped", "status wavplay position = 0", "seek wavplay to end = 0",
         "status wavplay position = 1000", "seek wavplay to 250 = 0",
         "status wavplay position = 250", "set wavplay time format milliseconds = 0",
         "set wavplay time format frames = " + QByteArray::number(kMciBadTimeFormat),
         // Past the end, as a shorter music resumed at a longer one's position: at
         // its end at once, and the loop monitor starts it over.
         "play wavplay from 5000 = 0", "status wavplay mode = stopped",
         "status wavplay position = 1000"});
}

TEST_F(MediaControlService, WordsAndFileNamesIgnoreCaseQuotesHoldBlanks) {
    writeWave("my music.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    // Names as written on a case-blind system, with backslashes.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Music"));
    writeWave("Music/Theme.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    run({"OPEN \"my music.wav\" Type WaveAudio ALIAS WavPlay = 0", "Play WAVPLAY Notify = 0",
         "STATUS wavplay MODE = playing", "close wavplay = 0",
         "open music\\THEME.wav alias wavplay = 0"});
}

struct Refused {
    const char* name;
    bool open;  // ramp.wav open as wavplay
    QByteArray command;
    uint32_t code;
};

class RefusedCommands : public MediaControlService,
                        public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedCommands, FailWithTheirCodeAndChangeNothing) {
    writeWave("my music.wav", 8000, 1, WaveEncoding::Float, Ramp(800));
    writeBytes("text.wav", "this is a text file with a wave's name\r\n");
    writeBytes("empty.wav", "");
    writeBytes("header.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));
    // A failed status query answers "error N", any other command its code.
    const QByteArray& command = GetParam().command;
    const QByteArray code = (command.startsWith("status") ? QByteArray("error ") : QByteArray()) +
                            QByteArray::number(GetParam().code);
    if (GetParam().open) {
        run({"open ramp.wav alias wavplay = 0", command + " = " + code,
             "status wavplay mode = stopped", "status wavplay position = 0"});
    } else {
        run({command + " = " + code, "status wavplay mode = error 257"});
    }
}

constexpr bool kNone = false, kRamp = true;
// clang-format off
const Refused kRefused[] = {
    {"UnknownAlias", kNone, "play wavplay notify", kMciInvalidDevice},          {"StatusOfNothing", kNone, "status wavplay mode", kMciInvalidDevice},
    {"CloseOfNothing", kNone, "close wavplay", kMciInvalidDevice},              {"MissingFile", kNone, "open missing.wav alias wavplay", kMciFileNotFound},
    {"TextFile", kNone, "open text.wav alias wavplay", kMciInvalidFile},        {"EmptyFile", kNone, "open empty.wav alias wavplay", kMciInvalidFile},
    {"HeaderOnly", kNone, "open header.wav alias wavplay", kMciInvalidFile},    {"Folder", kNone, "open . alias wavplay", kMciFileNotFound},
    {"NameWithBlanks", kNone, "open my music.wav alias wavplay", kMciUnrecognizedKeyword},
    {"UnclosedQuote", kNone, "open \"my music.wav alias wavplay", kMciMissingParameter},
    {"AliasWithoutName", kNone, "open ramp.wav alias", kMciMissingParameter},  {"OpenWithoutFile", kNone, "open", kMciMissingParameter},
    {"EmptyCommand", kNone, "", kMciMissingCommand},                           {"BlankCommand", kNone, "   ", kMciMissingCommand},
    {"UnknownCommand", kNone, "rewind wavplay", kMciUnrecognizedCommand},      {"AliasInUse", kRamp, "open ramp.wav alias wavplay", kMciAliasInUse},
    {"EmptyPosition", kRamp, "play wavplay from ", kMciMissingParameter},
    {"BlankPosition", kRamp, "play wavplay from " + QByteArray(80, ' '), kMciMissingParameter},
    {"NotANumber", kRamp, "play wavplay from 12x", kMciBadInteger},            {"NegativePosition", kRamp, "play wavplay from -5", kMciBadInteger},
    {"HugePosition", kRamp, "play wavplay from 123456789012", kMciBadInteger}, {"UnknownWord", kRamp, "play wavplay loudly", kMciUnrecognizedKeyword},
    {"SeekNowhere", kRamp, "seek wavplay", kMciMissingParameter},              {"SeekToWhat", kRamp, "seek wavplay to", kMciMissingParameter},
    {"StatusOfWhat", kRamp, "status wavplay", kMciMissingParameter},           {"StatusVolume", kRamp, "status wavplay volume", kMciUnrecognizedKeyword}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Service, RefusedCommands, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MediaControlService, ZeroLengthAndTruncatedWavesPlayWhatTheyHave) {
    writeWave("zero.wav", 8000, 1, WaveEncoding::Pcm16, {});
    writeWave("full.wav", 8000, 1, WaveEncoding::Pcm16, Sine(8000, 1, 400, 1.0));
    QFile full(dir_.filePath("full.wav"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    writeBytes("cut.wav", full.read(44 + 2 * 2000));  // header says 8000 frames, 2000 there
    run({"open zero.wav alias wavplay = 0", "play wavplay notify = 0",
         "status wavplay mode = stopped", "+50 status wavplay position = 0", "close wavplay = 0",
         "open cut.wav alias wavplay = 0", "play wavplay = 0", "+249 status wavplay mode = playing",
         "+2 status wavplay mode = stopped"});
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
    run({"play wavplay notify = 0",
         "+" + QByteArray::number(length - 5) + " status wavplay mode = playing",
         "+10 status wavplay mode = stopped", "+100 status wavplay mode = stopped"});

    // Heard for the half second written, and no longer than the file lasts (an
    // encoder's padding may be silent or not), at the pitch it was written with.
    const Heard heard = Listen(recordedLeft(), kOutputRate / 2);
    const double seconds = static_cast<double>(heard.last - heard.first) / kOutputRate;
    EXPECT_GE(seconds, 0.496);
    EXPECT_LE(seconds, length / 1000.0 + 0.004);
    EXPECT_NEAR(heard.cycles / 0.5, kHz, kHz * 0.01);
    EXPECT_NEAR(heard.peak, 0.5f, 0.06f);
}

// clang-format off
const Variant kVariants[] = {
    {"Pcm8Mono11k", 11025, 1, WaveEncoding::Pcm8},          {"Pcm16Stereo48k", 48000, 2, WaveEncoding::Pcm16},
    {"Pcm16Mono44k", 44100, 1, WaveEncoding::Pcm16},        {"Pcm24Stereo22k", 22050, 2, WaveEncoding::Pcm24},
    {"Pcm32Mono32k", 32000, 1, WaveEncoding::Pcm32},        {"FloatStereo96k", 96000, 2, WaveEncoding::Float},
    {"ImaAdpcmMono22k", 22050, 1, WaveEncoding::ImaAdpcm},  {"MsAdpcmStereo11k", 11025, 2, WaveEncoding::MsAdpcm},
    {"FloatSixChannels44k", 44100, 6, WaveEncoding::Float}, {"Pcm16Stereo192k", 192000, 2, WaveEncoding::Pcm16},
    {"ULawMono8k", 8000, 1, WaveEncoding::ULaw},            {"ALawMono8k", 8000, 1, WaveEncoding::ALaw}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Service, WaveVariants, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

// Hostile files: each is refused or plays and ends on its own, and none makes
// the service allocate or resample without bound.
struct HostileWave {
    const char* name;
    QByteArray (*bytes)(QByteArray valid);  // from a valid 1-second 8 kHz wave
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
    run({"play wavplay = 0", "+1100 status wavplay mode = stopped"});
    EXPECT_LE(ask("status wavplay length").toInt(), 1000);
}

// clang-format off
const HostileWave kHostile[] = {
    {"HeaderOnly", [](QByteArray w) { return w.left(44); }, 0},
    {"DataSizeLies", [](QByteArray w) { return Patched(w, 40, 0x7ffffff0); }, 0},
    {"OggRenamed", [](QByteArray) { return QByteArray("OggS\0\2", 6) + QByteArray(200, 'x'); }, kMciInvalidFile},
    {"Mp3Renamed", [](QByteArray) { return QByteArray("ID3\4\0\0", 6) + QByteArray(200, 0); }, kMciInvalidFile},
    {"OneHertzIn50Bytes", [](QByteArray w) { return AtRate(w.left(50), 1); }, kMciInvalidFile},
    {"Rate999", [](QByteArray w) { return AtRate(w, 999); }, kMciInvalidFile},
    {"Rate1000", [](QByteArray w) { return AtRate(w.left(44 + 2000), 1000); }, 0},
    {"Rate384001", [](QByteArray w) { return AtRate(w, 384001); }, kMciInvalidFile}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Service, HostileWaves, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

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

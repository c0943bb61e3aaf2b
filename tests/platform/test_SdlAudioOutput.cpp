// The service through SDL: a real audio thread taking samples while the
// user-interface thread sends commands (SDL's disk driver writes what it was
// given to a file), and the fall-back to the clock when no driver opens.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>

#include <cmath>
#include <thread>

#include "platform/mci/AudioOutput.h"
#include "platform/mci/Mci.h"
#include "platform/mci/MciService.h"
#include "support/MciReply.h"
#include "support/TempFolder.h"
#include "support/WaveFiles.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
struct ScopedEnvironment {
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name(name), had(qEnvironmentVariableIsSet(name)), old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { had ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    bool had;
    QByteArray old;
};

class SdlOutput : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    TempFolder dir_{TempFolder::Entered};
};

TEST_F(SdlOutput, TheDiskDriverGetsTheWaveWhileTheInterpreterAsks) {
    const QString rawFile = dir_.filePath("device.raw");
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", QFile::encodeName(rawFile));
    auto recording = std::make_shared<AudioRecording>();
    int rate = 0, bufferFrames = 0;
    MciService service([&rate, &bufferFrames, recording]() -> std::unique_ptr<AudioOutput> {
        auto output = OpenSdlAudioOutput(25, recording);
        if (output) {
            rate = output->sampleRate();
            bufferFrames = output->bufferFrames();
        }
        return output;
    });
    ASSERT_TRUE(WriteWave(dir_.filePath("tone.wav"), 22050, 1, WaveEncoding::Pcm16,
                          Sine(22050, 1, 441.0, 0.15)));
    ASSERT_EQ(service.sendString("open tone.wav alias wavplay", nullptr), 0u);
    if (rate == 0) GTEST_SKIP() << "SDL has no disk audio driver here";
    ASSERT_EQ(service.sendString("play wavplay notify", nullptr), 0u);

    // The audio thread plays in real time; this thread asks as the monitors do.
    // The position never goes back and the wave ends by itself.
    int lastPosition = 0;
    int queries = 0;
    const QDeadlineTimer deadline(5000);
    while (Ask(service, "status wavplay mode") == "playing" && !deadline.hasExpired()) {
        const int position = Ask(service, "status wavplay position").toInt();
        EXPECT_GE(position, lastPosition);
        lastPosition = position;
        ++queries;
        QThread::usleep(500);
    }
    EXPECT_EQ(Ask(service, "status wavplay mode"), "stopped");
    EXPECT_EQ(Ask(service, "status wavplay position"), "150");
    EXPECT_GT(queries, 10);
    // "stopped" comes as the device's last turn is due: closed now, the wave
    // still gives it. Two turns later the driver has written all it was given.
    ASSERT_EQ(service.sendString("close wavplay", nullptr), 0u);
    const int64_t closedAt = recording->frames();
    const QDeadlineTimer drained(2000);
    while (recording->frames() < closedAt + 2 * bufferFrames && !drained.hasExpired())
        QThread::usleep(500);
    service.reset();

    // What the device was handed: the tone, once, at its pitch.
    const std::vector<float> left = LeftChannel(recording->samples());
    const Heard heard = Listen(left);
    const size_t first = heard.first, last = heard.last;
    EXPECT_NEAR(static_cast<double>(last - first) / rate, 0.15, 0.004);
    EXPECT_NEAR(heard.cycles, 441 * 0.15, 2.0);

    // And the disk driver wrote what the callback gave it, after whole buffers of
    // silence written while the device was still paused.
    QFile raw(rawFile);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    const float* written = reinterpret_cast<const float*>(bytes.constData());
    const size_t writtenFrames = static_cast<size_t>(bytes.size()) / (2 * sizeof(float));
    size_t firstWritten = 0;
    while (firstWritten < writtenFrames && std::fabs(written[2 * firstWritten]) <= 0.02f)
        ++firstWritten;
    ASSERT_GE(firstWritten, first);
    const size_t paused = firstWritten - first;
    EXPECT_EQ(paused % static_cast<size_t>(bufferFrames), 0u);
    ASSERT_GE(writtenFrames, last + paused + 1);
    for (size_t i = first; i <= last; i += 97)
        ASSERT_EQ(written[2 * (i + paused)], left[i]) << "frame " << i;
}

// Without any device the service plays on the clock. SDL's disk driver writing
// into a pipe that nobody reads blocks in its write for good, as a stuck sound
// server does: within about a second the clock takes over, and the wave still
// ends, so that the voice wait of `say` ends too.
TEST_F(SdlOutput, WithoutAnyDeviceOrAStuckOneTheWaveFollowsTheClock) {
    {
        ScopedEnvironment driver("SDL_AUDIODRIVER", "no-such-driver");
        EXPECT_EQ(OpenSdlAudioOutput(), nullptr);
        std::unique_ptr<AudioOutput> fallback = DefaultAudioOutput();
        ASSERT_NE(fallback, nullptr);
        EXPECT_EQ(fallback->sampleRate(), 44100);
        MciService service([] { return DefaultAudioOutput(); });
        ASSERT_TRUE(WriteWave(dir_.filePath("tone.wav"), 22050, 1, WaveEncoding::Pcm16,
                              Sine(22050, 1, 441.0, 60.0)));
        ASSERT_EQ(service.sendString("open tone.wav alias wavplay", nullptr), 0u);
        ASSERT_EQ(service.sendString("play wavplay notify", nullptr), 0u);
        EXPECT_EQ(Ask(service, "status wavplay mode"), "playing");
    }
    const QByteArray pipe = QFile::encodeName(dir_.filePath("device.fifo"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    // Open for reading and not read during the test: with no reader at all the
    // driver's writes would end the test program with SIGPIPE.
    const int reader = open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
    ScopedEnvironment file("SDL_DISKAUDIOFILE", pipe);
    bool opened = false;
    MciService service([&opened]() -> std::unique_ptr<AudioOutput> {
        auto output = OpenSdlAudioOutput();
        opened = output != nullptr;
        return output;
    });
    ASSERT_TRUE(WriteWave(dir_.filePath("voice.wav"), 22050, 1, WaveEncoding::Pcm16,
                          Sine(22050, 1, 441.0, 0.5)));
    ASSERT_EQ(service.sendString("open voice.wav alias wavplay", nullptr), 0u);
    if (!opened) GTEST_SKIP() << "SDL has no disk audio driver here";
    ASSERT_EQ(service.sendString("play wavplay", nullptr), 0u);

    // A real device in real time: the wait is bounded, not stepped.
    const QDeadlineTimer deadline(5000);
    while (Ask(service, "status wavplay mode") == "playing" && !deadline.hasExpired())
        QThread::msleep(5);
    EXPECT_EQ(Ask(service, "status wavplay mode"), "stopped");
    EXPECT_LT(deadline.remainingTime(), 5000 - 1000);
    EXPECT_EQ(Ask(service, "status wavplay position"), "500");
    // Read from now on, so that the driver's file can be flushed when the test
    // program exits.
    std::thread([reader] {
        char bytes[65536];
        while (read(reader, bytes, sizeof bytes) != 0) {
        }
    }).detach();
}

}  // namespace

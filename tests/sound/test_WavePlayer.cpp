// WaveCommand: the command strings each mode sends, in order, the result codes
// it writes, and what it does to WavePlaying, MusicState and the loop monitor.

#include "platform/Timer.h"
#include "platform/mci/Mci.h"
#include "platform/mci/MciService.h"
#include "sound/SoundWindow.h"
#include "sound/WavePlayer.h"
#include "support/SoundFixture.h"

namespace {

class WavePlayer : public SoundFixture {
  protected:
    void SetUp() override {
        SoundFixture::SetUp();
        writeRamp("a.wav", 1000);
        writeRamp("b.wav", 1000);
        writeRamp("my a.wav", 100);
    }
    QString position() {
        QByteArray reply(80, ' ');
        if (mciSendString("status wavplay position", &reply) != 0) return "none";
        return QString::fromLatin1(reply.left(reply.indexOf('\0')));
    }
};

struct Call {
    const char* name;
    bool aOpen;  // a.wav playing for 300 ms before the call, the loop monitor stopped
    QString mode, wave, argIn;
    QStringList sent;
    QString argOut;
    bool openAfter;
    int monitor = 0;        // the loop monitor's interval afterwards
    QString refused;        // commands the service refuses, by their start
    QString position = "";  // "status wavplay position" afterwards, when given
};
void PrintTo(const Call& c, std::ostream* os) { *os << c.name; }

const QString kOpenA = "send: open a.wav alias wavplay";
const QString kPlay = "send: play wavplay notify";
const QString kStop = "exec: stop wavplay";
const QString kClose = "exec: close wavplay";

// clang-format off
const Call kCalls[] = {
    {"OpenPlayStarts",          false, kOpenPlay, "a.wav", "no", {kOpenA, kPlay}, "0", true},
    {"OpenPlayMissingFile",     false, kOpenPlay, "missing.wav", "", {"send: open missing.wav alias wavplay"}, "1", false},
    {"OpenPlayBlankInTheName",  false, kOpenPlay, "my a.wav", "", {"send: open my a.wav alias wavplay"}, "1", false},
    {"OpenPlayWhosePlayFails",  false, kOpenPlay, "a.wav", "", {kOpenA, kPlay, kClose}, "2", false, 0, "play"},
    {"OpenPlayWhileOpen",       true,  kOpenPlay, "b.wav", "", {}, "3", true},
    {"StopCloseWhatIsOpen",     true,  kStopClose, "v", "", {kStop, kClose}, "", false},
    {"StopCloseOfNothing",      false, kStopClose, "v", "", {}, "", false},
    {"SeekPlayOfNothing",       false, kSeekPlay, kAnyWaveName, "", {}, "", false},
    {"SeekPlayRestarts",        true,  kSeekPlay, kAnyWaveName, "", {"exec: seek wavplay to start", "exec: play wavplay notify"}, "", true, 0, "", "0"},
    {"ResumeFromThePosition",   false, kOpenPlayResume, "a.wav", "400", {kOpenA, "send: play wavplay from 400"}, "400", true, 0, "", "400"},
    {"ResumeWithoutAPosition",  false, kOpenPlayResume, "a.wav", "", {kOpenA, "send: play wavplay from ", kClose}, "", false},
    {"ResumeOfAMissingFile",    false, kOpenPlayResume, "missing.wav", "400", {"send: open missing.wav alias wavplay"}, "400", false},
    {"ResumeWhileOpen",         true,  kOpenPlayResume, "b.wav", "400", {}, "400", true},
    {"SeekLoopStartsTheLoop",   false, kSeekLoop, "a.wav", "", {kOpenA, kPlay}, "0", true, 1},
    // With the monitor stopped, the open wave is a one-shot music's: left alone.
    {"SeekLoopWhileMonitorIsPaused", true, kSeekLoop, "b.wav", "", {}, "3", true},
    // A name that does not end in a lower-case "v", or a mode word not written exactly.
    {"IgnoredStopClose",   true, "stopclose", "A.WAV", "x", {}, "x", true},      {"IgnoredResume",        true, "openplayresume", "A.WAV", "x", {}, "x", true},
    {"IgnoredSeekPlay",    true, "seekplay", "TITLE.WAV", "x", {}, "x", true},   {"IgnoredTrailingBlank", true, "openplay", "b.wav ", "x", {}, "x", true},
    {"IgnoredSeekLoop",    true, "seekloop", "B.WAV", "x", {}, "x", true},       {"IgnoredEmptyName",     true, "stopclose", "", "x", {}, "x", true},
    {"IgnoredCapitalMode", true, "OpenPlay", "b.wav", "x", {}, "x", true},       {"IgnoredCapitalStopClose", true, "StopClose", "v", "x", {}, "x", true},
    {"IgnoredUnknownMode", true, "play", "b.wav", "x", {}, "x", true},           {"IgnoredEmptyMode",     true, "", "b.wav", "x", {}, "x", true},
};
// clang-format on

class WaveCalls : public WavePlayer, public ::testing::WithParamInterface<Call> {};

TEST_P(WaveCalls, SendTheirCommandsAndKeepTheState) {
    const Call& call = GetParam();
    QString arg;
    if (call.aOpen) {
        WaveCommand(kOpenPlay, "a.wav", arg);
        ASSERT_EQ(arg, "0");
        clock_.advance(300);
        takeCommands();
    }
    if (!call.refused.isEmpty()) {
        SetMciRefusal([prefix = call.refused](const QByteArray& command) -> uint32_t {
            return QString::fromLatin1(command).startsWith(prefix) ? uint32_t{kMciInvalidFile} : 0u;
        });
    }
    arg = call.argIn;
    WaveCommand(call.mode, call.wave, arg);
    EXPECT_EQ(takeCommands(), call.sent);
    EXPECT_EQ(arg, call.argOut);
    EXPECT_EQ(Engine.WavePlaying, call.openAfter ? 255 : 0);
    // The rows named "Ignored..." change nothing at all.
    const bool ignored = QString::fromUtf8(call.name).startsWith("Ignored");
    EXPECT_EQ(Engine.MusicState, call.mode == kSeekLoop && !ignored ? call.wave : QString());
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), call.monitor);
    if (!call.position.isEmpty()) {
        EXPECT_EQ(position(), call.position);
    }
    SetMciRefusal(nullptr);
    if (!call.openAfter) {
        // Nothing was left open: the next open succeeds.
        WaveCommand(kOpenPlay, "b.wav", arg);
        EXPECT_EQ(arg, "0");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, WaveCalls, ::testing::ValuesIn(kCalls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WavePlayer, SeekLoopReplacesALoopKeepsAMissingNameStopCloseClearsWhenRefused) {
    QString result;
    WaveCommand(kSeekLoop, "a.wav", result);
    takeCommands();
    WaveCommand(kSeekLoop, "b.wav", result);
    EXPECT_EQ(takeCommands(),
              QStringList({kStop, kClose, "send: open b.wav alias wavplay", kPlay}));
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), 1);
    WaveCommand(kSeekLoop, "missing.wav", result);
    EXPECT_EQ(result, "1");
    EXPECT_EQ(Engine.MusicState, "missing.wav");
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), 0);
    EXPECT_EQ(Engine.WavePlaying, 0);

    // Believed open while the service has nothing: both commands fail, each shows
    // the service's message, and WavePlaying is cleared all the same.
    Engine.WavePlaying = 255;
    MessageScript boxes;
    boxes.expectContaining("stop wavplay").expectContaining("close wavplay");
    WaveCommand(kStopClose, "v", result);
    EXPECT_EQ(Engine.WavePlaying, 0);
}

}  // namespace

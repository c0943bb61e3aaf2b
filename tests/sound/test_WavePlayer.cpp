// WaveCommand: the command strings each mode sends, in order, the result codes
// it writes, and what it does to WavePlaying, MusicState and the loop monitor.
#include <gtest/gtest.h>

#include "platform/mci/Mci.h"
#include "platform/mci/MciService.h"
#include "scenario/EngineState.h"
#include "shell/Form2.h"
#include "sound/WavePlayer.h"
#include "support/MessageScript.h"
#include "support/SoundFixture.h"

namespace {

class WavePlayer : public SoundFixture {
  protected:
    void SetUp() override {
        SoundFixture::SetUp();
        writeRamp("a.wav", 1000);
        writeRamp("b.wav", 1000);
    }
    // Opens a.wav as "openplay" does and forgets the commands.
    void openA() {
        QString result;
        WaveCommand(kOpenPlay, "a.wav", result);
        ASSERT_EQ(result, "0");
        takeCommands();
    }
    // Makes the service refuse the commands that start with `prefix`.
    void refuse(const QString& prefix) {
        SetMciRefusal([prefix](const QByteArray& command) -> uint32_t {
            return QString::fromLatin1(command).startsWith(prefix) ? uint32_t{kMciInvalidFile} : 0u;
        });
    }
};

TEST_F(WavePlayer, OpenPlayStartsTheWave) {
    QString result = "no";
    WaveCommand(kOpenPlay, "a.wav", result);
    EXPECT_EQ(takeCommands(),
              QStringList({"send: open a.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_EQ(result, "0");
    EXPECT_EQ(Engine.WavePlaying, 255);
}

TEST_F(WavePlayer, OpenPlayOfAMissingFileWritesOne) {
    QString result;
    WaveCommand(kOpenPlay, "missing.wav", result);
    EXPECT_EQ(takeCommands(), QStringList({"send: open missing.wav alias wavplay"}));
    EXPECT_EQ(result, "1");
    EXPECT_EQ(Engine.WavePlaying, 0);
}

TEST_F(WavePlayer, ANameWithABlankIsSentUnquotedAndFailsToOpen) {
    writeRamp("my a.wav", 100);
    QString result;
    WaveCommand(kOpenPlay, "my a.wav", result);
    EXPECT_EQ(takeCommands(), QStringList({"send: open my a.wav alias wavplay"}));
    EXPECT_EQ(result, "1");
}

TEST_F(WavePlayer, OpenPlayWhosePlayFailsClosesAgainAndWritesTwo) {
    refuse("play");
    MessageScript boxes;
    QString result;
    WaveCommand(kOpenPlay, "a.wav", result);
    EXPECT_EQ(takeCommands(), QStringList({"send: open a.wav alias wavplay",
                                           "send: play wavplay notify", "exec: close wavplay"}));
    EXPECT_EQ(result, "2");
    EXPECT_EQ(Engine.WavePlaying, 0);
    SetMciRefusal(nullptr);
    // Nothing is left open: the next open succeeds.
    WaveCommand(kOpenPlay, "a.wav", result);
    EXPECT_EQ(result, "0");
}

TEST_F(WavePlayer, OpenPlayWhileAWaveIsOpenWritesThreeAndSendsNothing) {
    openA();
    QString result;
    WaveCommand(kOpenPlay, "b.wav", result);
    EXPECT_TRUE(takeCommands().isEmpty());
    EXPECT_EQ(result, "3");
    EXPECT_EQ(Engine.WavePlaying, 255);
}

TEST_F(WavePlayer, StopCloseStopsAndClosesWhateverIsOpen) {
    openA();
    QString none;
    WaveCommand(kStopClose, "v", none);
    EXPECT_EQ(takeCommands(), QStringList({"exec: stop wavplay", "exec: close wavplay"}));
    EXPECT_EQ(Engine.WavePlaying, 0);
    EXPECT_EQ(none, "");
    WaveCommand(kStopClose, "v", none);
    EXPECT_TRUE(takeCommands().isEmpty());
}

TEST_F(WavePlayer, StopCloseClearsWavePlayingEvenWhenTheServiceRefuses) {
    // The game believes a wave is open that the service does not have: both
    // commands fail and each shows the service's message.
    Engine.WavePlaying = 255;
    MessageScript boxes;
    boxes.expectContaining("stop wavplay").expectContaining("close wavplay");
    QString none;
    WaveCommand(kStopClose, "v", none);
    EXPECT_EQ(Engine.WavePlaying, 0);
}

TEST_F(WavePlayer, SeekPlayRestartsAnOpenWaveOnly) {
    QString none;
    WaveCommand(kSeekPlay, kAnyWaveName, none);
    EXPECT_TRUE(takeCommands().isEmpty());
    openA();
    clock_.advance(300);
    WaveCommand(kSeekPlay, kAnyWaveName, none);
    EXPECT_EQ(takeCommands(),
              QStringList({"exec: seek wavplay to start", "exec: play wavplay notify"}));
    EXPECT_EQ(Engine.WavePlaying, 255);
    QByteArray reply(80, ' ');
    ASSERT_EQ(mciSendString("status wavplay position", &reply), 0u);
    EXPECT_EQ(reply.left(reply.indexOf('\0')), "0");
}

TEST_F(WavePlayer, OpenPlayResumeOpensAndPlaysFromThePosition) {
    QString position = "400";
    WaveCommand(kOpenPlayResume, "a.wav", position);
    EXPECT_EQ(takeCommands(),
              QStringList({"send: open a.wav alias wavplay", "send: play wavplay from 400"}));
    EXPECT_EQ(Engine.WavePlaying, 255);
    EXPECT_EQ(position, "400");
    QByteArray reply(80, ' ');
    ASSERT_EQ(mciSendString("status wavplay position", &reply), 0u);
    EXPECT_EQ(reply.left(reply.indexOf('\0')), "400");
}

TEST_F(WavePlayer, OpenPlayResumeWithAnEmptyPositionClosesAgain) {
    QString empty;
    WaveCommand(kOpenPlayResume, "a.wav", empty);
    EXPECT_EQ(takeCommands(), QStringList({"send: open a.wav alias wavplay",
                                           "send: play wavplay from ", "exec: close wavplay"}));
    EXPECT_EQ(Engine.WavePlaying, 0);
    EXPECT_EQ(empty, "");
}

TEST_F(WavePlayer, OpenPlayResumeOfAMissingFileSendsOnlyTheOpen) {
    QString position = "400";
    WaveCommand(kOpenPlayResume, "missing.wav", position);
    EXPECT_EQ(takeCommands(), QStringList({"send: open missing.wav alias wavplay"}));
    EXPECT_EQ(Engine.WavePlaying, 0);
}

TEST_F(WavePlayer, OpenPlayResumeWhileAWaveIsOpenDoesNothing) {
    openA();
    QString position = "400";
    WaveCommand(kOpenPlayResume, "b.wav", position);
    EXPECT_TRUE(takeCommands().isEmpty());
}

TEST_F(WavePlayer, SeekLoopStartsTheMusicAndItsMonitorAtOneMillisecond) {
    QString result;
    WaveCommand(kSeekLoop, "a.wav", result);
    EXPECT_EQ(takeCommands(),
              QStringList({"send: open a.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_EQ(result, "0");
    EXPECT_EQ(Engine.MusicState, "a.wav");
    EXPECT_EQ(SoundForm().Mumer1().interval(), 1);
}

TEST_F(WavePlayer, SeekLoopReplacesARunningLoop) {
    QString result;
    WaveCommand(kSeekLoop, "a.wav", result);
    takeCommands();
    WaveCommand(kSeekLoop, "b.wav", result);
    EXPECT_EQ(takeCommands(),
              QStringList({"exec: stop wavplay", "exec: close wavplay",
                           "send: open b.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_EQ(Engine.MusicState, "b.wav");
    EXPECT_EQ(SoundForm().Mumer1().interval(), 1);
}

TEST_F(WavePlayer, SeekLoopOfAMissingFileKeepsItsNameAndLeavesTheMonitorStopped) {
    QString result;
    WaveCommand(kSeekLoop, "a.wav", result);
    WaveCommand(kSeekLoop, "missing.wav", result);
    EXPECT_EQ(result, "1");
    EXPECT_EQ(Engine.MusicState, "missing.wav");
    EXPECT_EQ(SoundForm().Mumer1().interval(), 0);
    EXPECT_EQ(Engine.WavePlaying, 0);
}

TEST_F(WavePlayer, SeekLoopWithTheMonitorPausedDoesNotCloseTheOpenWave) {
    // A one-shot music holds the channel and the loop monitor is paused.
    openA();
    QString result;
    WaveCommand(kSeekLoop, "b.wav", result);
    EXPECT_TRUE(takeCommands().isEmpty());
    EXPECT_EQ(result, "3");
    EXPECT_EQ(Engine.MusicState, "b.wav");
    EXPECT_EQ(SoundForm().Mumer1().interval(), 0);
}

class IgnoredCalls : public WavePlayer,
                     public ::testing::WithParamInterface<std::pair<QString, QString>> {};

TEST_P(IgnoredCalls, SendNothingAndChangeNothing) {
    const auto& [mode, name] = GetParam();
    openA();  // so that every mode would have something to do
    QString arg = "untouched";
    WaveCommand(mode, name, arg);
    EXPECT_TRUE(takeCommands().isEmpty());
    EXPECT_EQ(arg, "untouched");
    EXPECT_EQ(Engine.WavePlaying, 255);
    EXPECT_EQ(Engine.MusicState, "");
    EXPECT_EQ(SoundForm().Mumer1().interval(), 0);
}

INSTANTIATE_TEST_SUITE_P(WaveCommand, IgnoredCalls,
                         ::testing::Values(std::pair<QString, QString>{"stopclose", "A.WAV"},
                                           std::pair<QString, QString>{"openplayresume", "A.WAV"},
                                           std::pair<QString, QString>{"seekplay", "TITLE.WAV"},
                                           std::pair<QString, QString>{"openplay", "b.wav "},
                                           std::pair<QString, QString>{"seekloop", "B.WAV"},
                                           std::pair<QString, QString>{"stopclose", ""},
                                           std::pair<QString, QString>{"OpenPlay", "b.wav"},
                                           std::pair<QString, QString>{"StopClose", "v"},
                                           std::pair<QString, QString>{"play", "b.wav"},
                                           std::pair<QString, QString>{"", "b.wav"}));

}  // namespace

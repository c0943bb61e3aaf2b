// The scenario's sound commands as the interpreter runs them: `say` and its
// wait, `bgm`, `music`, and `cdbgm`.

#include "scenario/SoundCommands.h"
#include "sound/MusicMonitors.h"
#include "sound/SoundWindow.h"
#include "sound/TitleMusic.h"
#include "support/SoundFixture.h"

namespace {

class SoundCommands : public SoundFixture {
  protected:
    void SetUp() override {
        SoundFixture::SetUp();
        writeRamp("voice.wav", 300, -1.0f);
        writeRamp("loop.wav", 500);
    }
    // The scenario: label 1, the given lines, a message, a wait for Next.
    void play(const QStringList& lines) {
        CoreFixture::play(lines + QStringList{Line("msg", "after"), Line("keywait")});
    }
};

TEST_F(SoundCommands, SayPlaysTheVoiceAndWaitsUntilItHasEndedLettingNoTimerTick) {
    writeRamp("Voice2.wav", 300, -1.0f);
    MessageScript boxes;
    int ticks = 0;
    CurrentSoundWindow().Mumer2().onTick([&ticks] { ++ticks; });
    CurrentSoundWindow().Mumer2().setInterval(1);
    play({Line("SAY", "Voice2.wav")});  // the word in capitals, the name as written
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(messageText(), "after\r\r");
    const QStringList commands = takeCommands();
    EXPECT_EQ(WithoutPolling(commands),
              QStringList({"send: open Voice2.wav alias wavplay", "send: play wavplay notify",
                           "exec: stop wavplay", "exec: close wavplay"}));
    EXPECT_EQ(Engine.WavePlaying, 0);
    // The wait asked until the voice was over, sleeping a little between asks.
    EXPECT_GE(clock_.milliseconds(), 300);
    EXPECT_LE(clock_.milliseconds(), 310);
    EXPECT_GE(commands.count("send: status wavplay mode"), 30);
    EXPECT_LE(commands.count("send: status wavplay mode"), 100);
}

// Lines whose sound is skipped, or ends the program: what they send, and whether
// the story goes on to "after" at once.
struct Skip {
    const char* name;
    QStringList lines;
    QStringList sent;  // the mode queries included
    bool ends;         // with the voice error
};
void PrintTo(const Skip& row, std::ostream* os) { *os << row.name; }

const QString kOpenLoop = "send: open loop.wav alias wavplay";
const QString kPlay = "send: play wavplay notify";
const QString kAskMode = "send: status wavplay mode";

// clang-format off
const Skip kSkips[] = {
    {"SayWhileAMusicIsOpen", {Line("bgm", "loop.wav"), Line("say", "voice.wav")}, {kOpenLoop, kPlay}, false},
    {"SayOfAMissingFile", {Line("say", "nobody.wav")}, {"send: open nobody.wav alias wavplay"}, false},
    {"SayOfANameInCapitals", {Line("say", "VOICE.WAV")}, {kAskMode}, true},
    {"SayOfANameWithATrailingBlank", {Line("say", "voice.wav ")}, {kAskMode}, true},
    {"CdbgmDoesNothing", {Line("cdbgm", "05")}, {}, false},
};
// clang-format on

class Skipped : public SoundCommands, public ::testing::WithParamInterface<Skip> {};

TEST_P(Skipped, SendTheirCommandsAndGoOnOrEnd) {
    const Skip& row = GetParam();
    MessageScript boxes;
    if (row.ends) boxes.expect("音声エラー");
    play(row.lines);
    EXPECT_EQ(takeCommands(), row.sent);
    EXPECT_EQ(clock_.milliseconds(), 0);  // nothing was waited for
    EXPECT_EQ(ProgramEndCount(), row.ends ? 1 : 0);
    EXPECT_EQ(messageText(), row.ends ? "" : "after\r\r");  // no further line ran
}

INSTANTIATE_TEST_SUITE_P(Table, Skipped, ::testing::ValuesIn(kSkips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundCommands, SayWithARefusedNameWhileAMusicPlaysWaitsForTheMusicsEnd) {
    MessageScript boxes;
    play({Line("bgm", "loop.wav"), Line("say", "VOICE.WAV")});
    EXPECT_EQ(messageText(), "after\r\r");
    // The music was not restarted during the wait; it is left open and stopped.
    EXPECT_GE(clock_.milliseconds(), 500);
    EXPECT_LE(clock_.milliseconds(), 510);
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"send: open loop.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_EQ(Engine.WavePlaying, 255);
    clock_.advance(1);  // its monitor's next tick starts it over
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"exec: seek wavplay to start", "exec: play wavplay notify"}));
}

// `bgm` of the looping music starts it again from its beginning; `music` starts
// at the next tick after the run.
TEST_F(SoundCommands, BgmOfTheLoopingMusicStartsItAgainMusicAtTheNextTick) {
    MessageScript boxes;
    writeRamp("one.wav", 100, -1.0f);
    writeScenario({Label(1), Line("bgm", "loop.wav"), Line("keywait"), Line("bgm", "loop.wav"),
                   Line("music", "one.wav"), Line("keywait"), "_"});
    newGame();
    EXPECT_EQ(Engine.MusicState, "loop.wav");
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopFirstWatchInterval);
    clock_.advance(200);
    takeCommands();
    next();
    EXPECT_EQ(takeCommands(),
              QStringList({"exec: stop wavplay", "exec: close wavplay",
                           "send: open loop.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_EQ(CurrentSoundWindow().Mumer2().tag(), "one.wav");
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), kOneShotWatchInterval);
    clock_.advance(1);
    EXPECT_EQ(
        WithoutPolling(takeCommands()),
        QStringList({"send: status wavplay position", "exec: stop wavplay", "exec: close wavplay",
                     "send: open one.wav alias wavplay", "send: play wavplay notify"}));
    catchUpOutput();
    EXPECT_EQ(RampFrame(recorded()[200 * kRate / 1000]), 0);
}

}  // namespace

// The two music monitors: the loop restarted after each end, one-shot music
// interrupting the loop and the loop resuming where it was, the title music.
// Waves are ramps, so the recorded output tells which frame of which file was
// heard at each moment.

#include <QDir>

#include "scenario/SoundCommands.h"
#include "sound/MusicMonitors.h"
#include "sound/SoundWindow.h"
#include "sound/TitleMusic.h"
#include "sound/WavePlayer.h"
#include "support/SoundFixture.h"

namespace {

constexpr int kFramesPerMs = 8;

// A stretch of the output where one file was heard frame after frame: the output
// frame where it begins, the file frames heard first and last, and whether it was
// a one-shot music (their ramps are negative).
struct Segment {
    size_t at;
    int from, to;
    bool negative;
    bool operator==(const Segment&) const = default;
};
void PrintTo(const Segment& s, std::ostream* os) {
    *os << "at " << s.at << ": " << s.from << ".." << s.to << (s.negative ? " negative" : "");
}

std::vector<Segment> Segments(const std::vector<float>& left) {
    std::vector<Segment> segments;
    for (size_t i = 0; i < left.size(); ++i) {
        if (left[i] == 0.0f) continue;
        const int frame = RampFrame(left[i]);
        const bool negative = left[i] < 0.0f;
        if (!segments.empty()) {
            Segment& last = segments.back();
            const size_t expectedAt = last.at + static_cast<size_t>(last.to - last.from) + 1;
            if (i == expectedAt && frame == last.to + 1 && negative == last.negative) {
                last.to = frame;
                continue;
            }
        }
        segments.push_back({i, frame, frame, negative});
    }
    return segments;
}

class MusicMonitors : public SoundFixture {
  protected:
    void startLoop(const QString& name) {
        QString result;
        WaveCommand(kSeekLoop, name, result);
        ASSERT_EQ(result, "0");
    }
    void requestMusic(const QString& name) {
        CurrentSoundWindow().Mumer2().setTag(name);
        CurrentSoundWindow().Mumer2().setInterval(kOneShotWatchInterval);
    }
    int64_t sentAt(const QString& text, int occurrence = 0) {
        for (const Sent& s : sent())
            if (s.text == text && occurrence-- == 0) return s.atMs;
        return -1;
    }
};

TEST_F(MusicMonitors, TheLoopIsRestartedAfterEachEnd) {
    writeRamp("loop.wav", 250);
    startLoop("loop.wav");
    clock_.advance(1000);
    catchUpOutput();

    // Every end is watched every millisecond, the later ones too, although the
    // monitor's interval reads 100 from the first restart on.
    EXPECT_EQ(sentAt("seek wavplay to start", 0), 250);
    EXPECT_EQ(sentAt("seek wavplay to start", 1), 500);
    EXPECT_EQ(sentAt("seek wavplay to start", 2), 750);
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopWatchInterval);

    // Heard: the whole music four times, each pass right after the one before.
    const std::vector<Segment> heard = Segments(recorded());
    ASSERT_EQ(heard.size(), 4u);
    for (size_t k = 0; k < heard.size(); ++k) {
        EXPECT_EQ(heard[k].from, 0) << "play " << k;
        EXPECT_EQ(heard[k].at, k * 250u * kFramesPerMs) << "play " << k;
        if (k < 3) {
            EXPECT_EQ(heard[k].to, 250 * kFramesPerMs - 1) << "play " << k;
        }
    }
}

TEST_F(MusicMonitors, ALongFirstPassIsWatchedOnlyNearItsEndAndRestartedOnTime) {
    writeRamp("long.wav", 3000);
    startLoop("long.wav");
    clock_.advance(3200);
    EXPECT_EQ(sentAt("seek wavplay to start"), 3000);
    // Mostly asleep: a tick a second, then every millisecond of the last 250.
    int modeQueries = 0;
    for (const Sent& s : sent())
        modeQueries += s.text == "status wavplay mode" && s.atMs <= 3000;
    EXPECT_GE(modeQueries, 250);
    EXPECT_LE(modeQueries, 260);
}

TEST_F(MusicMonitors, AOneShotMusicInterruptsTheLoopWhichResumesWhereItWas) {
    writeRamp("loop.wav", 1000);
    writeRamp("one.wav", 300, -1.0f);
    startLoop("loop.wav");
    clock_.advance(400);
    takeCommands();
    requestMusic("one.wav");
    clock_.advance(1);  // the tick at 401 interrupts the loop

    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), 0);
    EXPECT_TRUE(CurrentSoundWindow().ResumePending);
    EXPECT_EQ(CurrentSoundWindow().Mumer2().tag(), "");
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), kOneShotWatchInterval);
    // The whole 80-character buffer: the position, its NUL, the blanks.
    EXPECT_EQ(CurrentSoundWindow().ResumePosition, QString("401") + QChar(0) + QString(76, ' '));

    clock_.advance(399);  // the one-shot ends at 701; the tick there resumes the loop
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"send: status wavplay position", "exec: stop wavplay",
                           "exec: close wavplay", "send: open one.wav alias wavplay",
                           "send: play wavplay notify", "exec: stop wavplay", "exec: close wavplay",
                           "send: open loop.wav alias wavplay", "send: play wavplay from 401"}));
    EXPECT_EQ(sentAt("play wavplay from 401" + QString(QChar(0)) + QString(76, ' ')), 701);
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopWatchInterval);
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), 0);
    EXPECT_FALSE(CurrentSoundWindow().ResumePending);

    clock_.advance(800);  // the rest of the loop ends at 1300; restarted at 1301
    catchUpOutput();
    const std::vector<Segment> heard = Segments(recorded());
    ASSERT_EQ(heard.size(), 4u);
    const int k = kFramesPerMs;
    EXPECT_EQ(heard[0], (Segment{0, 0, 401 * k - 1, false}));
    EXPECT_EQ(heard[1], (Segment{401u * k, 0, 300 * k - 1, true}));
    // The loop goes on from the frame after the last one heard, not from its start.
    EXPECT_EQ(heard[2], (Segment{701u * k, 401 * k, 1000 * k - 1, false}));
    EXPECT_EQ(heard[3].from, 0);  // and then loops again
    EXPECT_LE(heard[3].at - (1300u * kFramesPerMs), size_t{kLoopWatchInterval * kFramesPerMs});
}

// A `bgm` while a one-shot music holds the channel takes the place of the
// music to be resumed: it starts from its own beginning once the one-shot ends,
// not at the position saved from another file.
TEST_F(MusicMonitors, BgmDuringAOneShotMusicStartsFromItsBeginningWhenTheOneShotEnds) {
    writeRamp("a.wav", 1000);
    writeRamp("b.wav", 1000);
    writeRamp("one.wav", 200, -1.0f);
    startLoop("a.wav");
    clock_.advance(300);
    requestMusic("one.wav");
    clock_.advance(50);
    takeCommands();

    QString result;
    WaveCommand(kSeekLoop, "b.wav", result);
    EXPECT_EQ(result, "3");
    EXPECT_EQ(Engine.MusicState, "b.wav");
    EXPECT_TRUE(takeCommands().isEmpty());

    clock_.advance(200);  // the one-shot ends at 501
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"exec: stop wavplay", "exec: close wavplay",
                           "send: open b.wav alias wavplay", "send: play wavplay notify"}));
    EXPECT_FALSE(CurrentSoundWindow().ResumePending);
    clock_.advance(1100);
    catchUpOutput();
    const std::vector<Segment> heard = Segments(recorded());
    ASSERT_GE(heard.size(), 4u);
    EXPECT_EQ(heard[2], (Segment{501u * kFramesPerMs, 0, 1000 * kFramesPerMs - 1, false}));
    EXPECT_EQ(heard[3].from, 0);  // then b.wav loops
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopWatchInterval);
}

// The store scene read quickly: `bgm v` closes the night music, a jingle
// interrupts nothing that plays (its position query fails), and while it plays
// `bgm v`, a voice and the way back to the square's `bgm` find the channel busy.
// Resuming from the blank position would be refused and leave the square silent.
TEST_F(MusicMonitors, AJingleAfterBgmVLeavesTheNextSceneItsMusic) {
    writeRamp("night.wav", 1000);
    writeRamp("jingle.wav", 200, -1.0f);
    writeRamp("voice.wav", 100);
    startLoop("night.wav");
    clock_.advance(300);
    QString result;
    WaveCommand(kSeekLoop, "v", result);
    EXPECT_EQ(result, "1");  // "v" is no file: the night music is closed, nothing opens
    requestMusic("jingle.wav");
    clock_.advance(1);
    EXPECT_TRUE(CurrentSoundWindow().ResumePending);
    EXPECT_TRUE(CurrentSoundWindow().ResumePosition.startsWith(' '));  // no position had
    takeCommands();

    WaveCommand(kSeekLoop, "v", result);
    EXPECT_EQ(result, "3");
    WaveCommand(kOpenPlay, "voice.wav", result);  // `say`: skipped, the channel is busy
    EXPECT_EQ(result, "3");
    WaveCommand(kSeekLoop, "night.wav", result);
    EXPECT_EQ(result, "3");

    clock_.advance(300);  // the jingle ends at 501
    const QStringList commands = WithoutPolling(takeCommands());
    EXPECT_EQ(commands,
              QStringList({"exec: stop wavplay", "exec: close wavplay",
                           "send: open night.wav alias wavplay", "send: play wavplay notify"}));
    for (const Sent& s : sent())
        EXPECT_FALSE(s.text.startsWith("play wavplay from")) << s.text.toStdString();
    EXPECT_EQ(Engine.WavePlaying, 255);
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopFirstWatchInterval);
    catchUpOutput();
    const std::vector<Segment> heard = Segments(recorded());
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[2], (Segment{501u * kFramesPerMs, 0, 100 * kFramesPerMs - 1, false}));
}

// `bgm v` alone during the jingle: silence afterwards, as `bgm v` asks, and no
// play command with a position that was never had.
TEST_F(MusicMonitors, BgmVDuringAJingleLeavesSilenceWithoutARefusedPlay) {
    writeRamp("night.wav", 1000);
    writeRamp("jingle.wav", 200, -1.0f);
    startLoop("night.wav");
    clock_.advance(100);
    requestMusic("jingle.wav");
    clock_.advance(1);
    QString result;
    WaveCommand(kSeekLoop, "v", result);
    EXPECT_EQ(result, "3");
    clock_.advance(300);
    for (const Sent& s : sent())
        EXPECT_FALSE(s.text.startsWith("play wavplay from")) << s.text.toStdString();
    EXPECT_EQ(Engine.WavePlaying, 0);
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), 0);
    EXPECT_FALSE(CurrentSoundWindow().ResumePending);
}

// A one-shot that cannot open interrupts the loop for one tick; a `bgm` right
// after it leaves the next `music` interrupting the new loop and playing.
TEST_F(MusicMonitors, AMissingOneShotInterruptsTheLoopForOneTickAndLaterMusicPlays) {
    writeRamp("loop.wav", 1000);
    writeRamp("other.wav", 1000);
    writeRamp("one.wav", 100, -1.0f);
    startLoop("loop.wav");
    clock_.advance(200);
    takeCommands();
    requestMusic("missing.wav");
    clock_.advance(1);
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"send: status wavplay position", "exec: stop wavplay",
                           "exec: close wavplay", "send: open missing.wav alias wavplay",
                           "send: open loop.wav alias wavplay", "send: play wavplay from 201"}));
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), 0);
    startLoop("other.wav");
    clock_.advance(5);
    EXPECT_FALSE(CurrentSoundWindow().ResumePending);
    takeCommands();
    requestMusic("one.wav");
    clock_.advance(1);
    EXPECT_EQ(
        WithoutPolling(takeCommands()),
        QStringList({"send: status wavplay position", "exec: stop wavplay", "exec: close wavplay",
                     "send: open one.wav alias wavplay", "send: play wavplay notify"}));
}

// Without a loop, only the last of two requests before a tick plays, once, and
// nothing is resumed after it.
TEST_F(MusicMonitors, WithoutALoopTheLastRequestPlaysOnceAndNothingIsResumed) {
    writeRamp("one.wav", 100, -1.0f);
    writeRamp("two.wav", 100, -1.0f);
    requestMusic("one.wav");
    requestMusic("two.wav");
    clock_.advance(300);
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"send: open two.wav alias wavplay", "send: play wavplay notify",
                           "exec: stop wavplay", "exec: close wavplay"}));
    EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), 0);
    EXPECT_EQ(Engine.WavePlaying, 0);
}

TEST_F(MusicMonitors, ASecondRequestWhileAOneShotPlaysIsDropped) {
    writeRamp("loop.wav", 1000);
    writeRamp("one.wav", 200, -1.0f);
    writeRamp("two.wav", 200, -1.0f);
    startLoop("loop.wav");
    clock_.advance(100);
    requestMusic("one.wav");
    clock_.advance(50);
    requestMusic("two.wav");
    clock_.advance(1);
    EXPECT_EQ(CurrentSoundWindow().Mumer2().tag(), "");
    clock_.advance(500);
    const QStringList commands = WithoutPolling(takeCommands());
    EXPECT_FALSE(commands.contains("send: open two.wav alias wavplay"));
    EXPECT_EQ(commands.count("send: status wavplay position"), 1);
    EXPECT_TRUE(commands.contains("send: play wavplay from 101"));
}

// A request the wave player refuses by its name plays nothing and must not
// leave the one-shot monitor watching the looping music: it would close that
// music at its next end.
TEST_F(MusicMonitors, ARequestWithARefusedNameLeavesTheLoopLooping) {
    for (const QString& name : {QString("ONE.WAV"), QString("one.wav "), QString()}) {
        SCOPED_TRACE(name.toStdString());
        writeRamp("loop.wav", 150);
        startLoop("loop.wav");
        takeCommands();
        requestMusic(name);
        clock_.advance(700);
        const QStringList commands = WithoutPolling(takeCommands());
        EXPECT_FALSE(commands.contains("exec: close wavplay")) << commands.join(", ").toStdString();
        EXPECT_GE(commands.count("exec: seek wavplay to start"), 3);
        EXPECT_EQ(CurrentSoundWindow().Mumer2().interval(), 0);
        EXPECT_EQ(CurrentSoundWindow().Mumer2().tag(), "");
        EXPECT_EQ(Engine.WavePlaying, 255);
        QString none;
        WaveCommand(kStopClose, "v", none);
        CurrentSoundWindow().Mumer1().setInterval(0);
    }
}

TEST_F(MusicMonitors, TheTitleMusicLoopsFromStartUpOrStartUpIsSilent) {
    {
        MessageScript boxes;
        PlayTitleMusic();
        EXPECT_EQ(Engine.MusicState, "loop101s.wav");
        EXPECT_EQ(Engine.WavePlaying, 0);
        EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), 0);
        clock_.advance(500);
        EXPECT_EQ(takeCommands(), QStringList({"send: open loop101s.wav alias wavplay"}));
    }
    writeRamp("loop101s.wav", 200);
    Engine.ChoiceFlags.fill(0);
    PlayTitleMusic();
    EXPECT_EQ(Engine.ChoiceFlags[9], -1);
    EXPECT_EQ(Engine.MusicState, "loop101s.wav");
    EXPECT_EQ(Engine.WavePlaying, 255);
    EXPECT_EQ(CurrentSoundWindow().Mumer1().interval(), kLoopFirstWatchInterval);
    clock_.advance(450);
    EXPECT_EQ(WithoutPolling(takeCommands()),
              QStringList({"send: open loop101s.wav alias wavplay", "send: play wavplay notify",
                           "exec: seek wavplay to start", "exec: play wavplay notify",
                           "exec: seek wavplay to start", "exec: play wavplay notify"}));
}

}  // namespace

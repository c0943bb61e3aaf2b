// Live reload for authors: the scene the story is in starts again from the file
// as it is now, by Shift+R or when the file changes; a scenario with errors is
// refused in one box and the story stays.

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QWidget>

#include <functional>

#include "platform/Events.h"
#include "scenario/RunScenario.h"
#include "shell/LiveReload.h"
#include "sound/MediaControl.h"
#include "support/GameFixture.h"
#include "support/WaveFiles.h"

namespace {

void ShiftR() {
    QWidget* window = MainForm().window.qwidget();
    QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::ShiftModifier, QStringLiteral("R"));
    QApplication::sendEvent(focused, &press);
}

QStringList Story(const QString& secondScene) {
    return {
        Label(1),           Line("msg", "one"),       Line("keywait"), Line("next", "2"),  Label(2),
        Line("cg", "room"), Line("msg", secondScene), Line("keywait"), Line("next", "-1"), "_"};
}

class LiveReload : public GameFixture {
  protected:
    // The message window's rows, the oldest first.
    QStringList rows() const { return messageText().split('\r', Qt::SkipEmptyParts); }
    void SetUp() override {
        GameFixture::SetUp();
        writePicture("room.JPG", 480, 358, 0x204060);
        writeScenario(Story("two"));
    }
    // The story waiting in scene 2, with the file changed under it.
    void playToSceneTwoThenWrite(const QStringList& story) {
        newGame();
        next();
        ASSERT_EQ(rows(), QStringList({"one", "two"}));
        ASSERT_EQ(LastLabelReached(), 2);
        writeScenario(story);
    }
};

TEST_F(LiveReload, ShiftRStartsTheSceneAgainFromTheFileAsItIsNow) {
    WatchScenario();
    playToSceneTwoThenWrite(Story("two again"));
    ShiftR();
    EXPECT_EQ(rows(), QStringList({"one", "two", "two again"}));
    EXPECT_EQ(Engine.WaitingForClick, -1);
    // The story goes on from the restarted scene, to its end.
    MessageScript boxes;
    boxes.expect(QStringLiteral("シナリオ正常終了")).expectQuitQuestion(MessageAnswer::No);
    next();
}

TEST_F(LiveReload, ErrorsAreListedInOneBoxAndTheStoryStays) {
    WatchScenario();
    QStringList broken = Story("two again");
    broken.insert(6, Line("msgg", "typo"));
    broken.insert(7, Line("next", "99"));
    playToSceneTwoThenWrite(broken);
    const QString before = messageText();
    MessageScript boxes;
    boxes.expectContaining(
        QStringLiteral("シナリオにエラーが 2 件あるので、読み直しませんでした。"
                       "\n\n7 行目: "));
    ShiftR();
    EXPECT_TRUE(boxes.shown().front().contains("[unknown-command]\n8 行目: "));
    EXPECT_TRUE(boxes.shown().front().endsWith("[missing-label]"));
    EXPECT_EQ(messageText(), before);
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(LiveReload, AChangeOnDiskIsTakenOnceTheFileHoldsStill) {
    WatchScenario();
    playToSceneTwoThenWrite(Story("two again"));
    clock_.advance(kWatchIntervalMs);  // the change is seen
    EXPECT_EQ(rows(), QStringList({"one", "two"}));
    clock_.advance(kWatchIntervalMs);  // and taken
    EXPECT_EQ(rows(), QStringList({"one", "two", "two again"}));
    clock_.advance(5 * kWatchIntervalMs);  // once
    EXPECT_EQ(rows(), QStringList({"one", "two", "two again"}));
}

TEST_F(LiveReload, WithoutWatchingNothingReloads) {
    playToSceneTwoThenWrite(Story("two again"));
    ShiftR();
    clock_.advance(5 * kWatchIntervalMs);
    EXPECT_EQ(rows(), QStringList({"one", "two"}));
}

// A stepped clock through which the author acts once while the story is held,
// as the window system would deliver a key press during a voice.
class OnceHeldClock : public SteppedClock {
  public:
    void holdFor(int ms) override {
        if (duringHold) {
            const std::function<void()> act = std::move(duringHold);
            duringHold = nullptr;
            act();
        }
        SteppedClock::holdFor(ms);
    }
    std::function<void()> duringHold;
};

// Shift+R while a voice or the ending line holds the story: the restart waits
// for the hold to end, so no voice is cut off in the middle of its command.
class LiveReloadWhileHeld : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetClock(&held_);
        ASSERT_TRUE(WriteWave(QDir(dataDir()).filePath("voice.wav"), 8000, 1, WaveEncoding::Pcm16,
                              Sine(8000, 1, 440, 0.5)));
        WatchScenario();
    }
    void TearDown() override {
        SetClock(nullptr);
        GameFixture::TearDown();
    }
    QStringList rows() const { return messageText().split('\r', Qt::SkipEmptyParts); }
    static QStringList VoicedStory(const QString& said) {
        return {Label(1),
                Line("msg", "one"),
                Line("keywait"),
                Line("next", "2"),
                Label(2),
                Line("msg", "two"),
                Line("say", "voice.wav"),
                Line("msg", said),
                Line("keywait"),
                Line("next", "-1"),
                "_"};
    }

    OnceHeldClock held_;
};

TEST_F(LiveReloadWhileHeld, ShiftRDuringAVoiceRestartsOnceTheVoiceHasEnded) {
    writeScenario(VoicedStory("said"));
    newGame();
    QStringList duringVoice;
    bool heldThen = false;
    held_.duringHold = [&] {
        writeScenario(VoicedStory("said again"));
        ShiftR();
        ShiftR();  // a second press makes no second reload
        heldThen = StoryIsHeld();
        duringVoice = rows();
    };
    next();
    EXPECT_TRUE(heldThen);
    EXPECT_EQ(duringVoice, QStringList({"one", "two"}));
    // The voiced line ran on to its wait with the old text and the voice to its
    // end; at that wait scene 2 started again from the changed file, once (the
    // window keeps its last three rows).
    EXPECT_EQ(rows(), QStringList({"said", "two", "said again"}));
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_FALSE(WaveIsPlaying());
    QCoreApplication::processEvents();
    EXPECT_EQ(rows(), QStringList({"said", "two", "said again"}));
}

TEST_F(LiveReloadWhileHeld, ShiftRDuringTheEndingDoesNotRestartTheEndedGame) {
    writeScenario({Label(1), Line("msg", "one"), Line("keywait"), Line("pg", "rtb3"), "_"});
    Engine.ChoiceFlags[6] = 0;  // the normal ending
    newGame();
    MessageScript boxes;
    bool heldThen = false;
    held_.duringHold = [&] {
        ShiftR();
        heldThen = StoryIsHeld();
    };
    next();
    QCoreApplication::processEvents();
    EXPECT_TRUE(heldThen);
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(WaveIsPlaying());
}

}  // namespace

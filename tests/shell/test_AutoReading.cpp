// Auto reading and skip on the stepped clock: when each Next is taken, none at a
// choice or a box, and the player's own input ends them.

#include "platform/MessageBox.h"
#include "platform/widgets/CornerMark.h"
#include "scenario/Modes.h"
#include "shell/ReaderComforts.h"
#include "support/GameFixture.h"
#include "support/WindowInput.h"

namespace {

AutoReading& Reading() { return MainForm().comforts->autoReading; }
QString Mark() { return MainForm().comforts->readingMark.text(); }

// Five pages of rows of known length, then a choice.
// clang-format off
const QStringList kPages = {
    Label(1), Line("msg", "abc"), Line("keywait"), Line("msg", "de"), Line("msg", "fghij"),
    Line("keywait"), Line("msgcls"), Line("keywait"), Line("msg", "k"), Line("keywait"), Line("msg", "lm"),
    Line("keywait"),
    Line("nextbot", "00001 00001 00000 00000 00000 00000 00000 00000 00000 00000"),
    Line("botcls"), Line("bottxt2", "0 A,a"), Line("bottxt2", "1 B,b"), Line("botwait"), "_"};
// clang-format on

class AutoReadingTest : public GameFixture {
  protected:
    MessageScript boxes_;
    void SetUp() override {
        GameFixture::SetUp();
        writeScenario(kPages);
        MainForm().window.showCentred();
        newGame();
    }
    // Milliseconds until the page changes, at most `limit`.
    int64_t untilNext(int64_t limit) {
        const QString page = messageText();
        const int64_t start = clock_.milliseconds();
        while (messageText() == page && Engine.WaitingForClick == -1 &&
               clock_.milliseconds() - start < limit)
            clock_.advance(1);
        return clock_.milliseconds() - start;
    }
};

TEST_F(AutoReadingTest, NextAfterOneSecondAndEightyMillisecondsACharacterNeverAtAChoice) {
    PressKey(Qt::Key_A);
    EXPECT_TRUE(Reading().autoOn());
    EXPECT_EQ(Mark(), "AUTO");
    // Each pause is measured from the moment the story waits for Next; the
    // mark stays through the pages.
    EXPECT_EQ(untilNext(5000), 1000 + 80 * 3);  // abc
    EXPECT_EQ(untilNext(5000), 1000 + 80 * 7);  // de, fghij
    EXPECT_EQ(untilNext(5000), 1000);           // a cleared window: nothing new
    EXPECT_EQ(untilNext(5000), 1000 + 80 * 1);  // k
    clock_.advance(1000 + 80 * 2 - 1);          // lm, then the choice
    EXPECT_EQ(Engine.MenuMode, kSystemMenuMode);
    clock_.advance(1);
    ASSERT_EQ(Engine.MenuMode, kChoiceMode);
    clock_.advance(60000);
    EXPECT_EQ(Engine.MenuMode, kChoiceMode);
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_EQ(Mark(), "AUTO");
    PressKey(Qt::Key_A);
    EXPECT_FALSE(Reading().autoOn());
    EXPECT_EQ(Mark(), "");
}

TEST_F(AutoReadingTest, NoNextWhileABoxIsOpenAndAClickOrAnotherKeyEndsIt) {
    PressKey(Qt::Key_A);
    const QString page = messageText();
    // A box over the waiting story, open for ten seconds.
    SetMessageResponder([this](const QString&, MessageStyle) {
        clock_.advance(10000);
        return MessageAnswer::Ok;
    });
    ShowMessage(QStringLiteral("box"), MessageStyle::OkOnly);
    SetMessageResponder(nullptr);
    EXPECT_EQ(messageText(), page);
    // The pause starts again at the first look after the box closed.
    const int64_t waited = untilNext(5000);
    EXPECT_GE(waited, 1000 + 80 * 3);
    EXPECT_LE(waited, 1000 + 80 * 3 + 20);

    ClickAt(DrawnCentre(MainForm().Picture1));  // the player's own Next ends it
    EXPECT_FALSE(Reading().autoOn());
    EXPECT_EQ(Mark(), "");
    PressKey(Qt::Key_A);
    PressKey(Qt::Key_B);
    EXPECT_FALSE(Reading().autoOn());
    const QString still = messageText();
    clock_.advance(10000);
    EXPECT_EQ(messageText(), still);
}

TEST_F(AutoReadingTest, SkipReadsOnTwentyAPageWhileCtrlIsHeldAndStopsAtTheChoice) {
    PressKey(Qt::Key_Control, Qt::ControlModifier, false);
    EXPECT_TRUE(Reading().skipOn());
    EXPECT_EQ(Mark(), "SKIP");
    // A Ctrl pressed for a shortcut reads nothing on.
    EXPECT_EQ(untilNext(1000), AutoReading::kSkipStartMs);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(untilNext(1000), AutoReading::kSkipIntervalMs);
    ReleaseKey(Qt::Key_Control);
    EXPECT_FALSE(Reading().skipOn());
    EXPECT_EQ(Mark(), "");
    const QString held = messageText();
    clock_.advance(1000);
    EXPECT_EQ(messageText(), held);

    PressKey(Qt::Key_Control, Qt::ControlModifier, false);
    clock_.advance(AutoReading::kSkipStartMs + 10 * AutoReading::kSkipIntervalMs);
    EXPECT_EQ(Engine.MenuMode, kChoiceMode);
    EXPECT_FALSE(Reading().skipOn());  // the choice ended it, Ctrl still held
    EXPECT_EQ(Mark(), "");
}

}  // namespace

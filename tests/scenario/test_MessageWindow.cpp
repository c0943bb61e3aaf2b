// The three-line message window, the text commands and the look of the Next
// button while the story waits.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

class MessageWindowTest : public GameFixture {};

TEST_F(MessageWindowTest, LinesFillFromTheTopAndScrollTheOldestAway) {
    MessageOut("A");
    MessageOut("B");
    EXPECT_EQ(messageText(), "A\rB\r");
    MessageOut("C");
    MessageOut("D");
    EXPECT_EQ(messageText(), "B\rC\rD");
    MessageOut("");  // an empty line takes a place like any other
    EXPECT_EQ(messageText(), "C\rD\r");
}

TEST_F(MessageWindowTest, ClsClearsButOnlyInLowerCase) {
    MessageOut("A");
    MessageOut("B");
    MessageOut("cls");
    EXPECT_EQ(messageText(), "\r\r");
    MessageOut("E");
    EXPECT_EQ(messageText(), "E\r\r");
    MessageOut("CLS");
    EXPECT_EQ(messageText(), "E\rCLS\r");
    MessageOut(" cls");
    EXPECT_EQ(messageText(), "E\rCLS\r cls");
}

TEST_F(MessageWindowTest, TextCommandsDriveTheWindow) {
    writeScenario({Label(1), Line("msg", "one"), Line("msg", "two"), Line("msgtop", "F"),
                   Line("msg", "cls"), Line("msg", "G"), Line("msgcls"), Line("msg", "H"),
                   Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "H\r\r");
}

TEST_F(MessageWindowTest, MsgtopIsClearThenMessage) {
    writeScenario(
        {Label(1), Line("msg", "x"), Line("msg", "y"), Line("msgtop", "F"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "F\r\r");
}

TEST_F(MessageWindowTest, LinesSurviveNewGame) {
    writeScenario({Label(1), Line("msg", "again"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    newGame();
    EXPECT_EQ(messageText(), "again\ragain\r");
}

TEST_F(MessageWindowTest, StrikethroughShowsWhetherTheStoryWaits) {
    writeScenario(
        {Label(1), Line("msg", "1"), Line("keywait"), Line("msg", "2"), Line("keywait"), "_"});
    MessageScript boxes;
    PushButton& nextButton = MainForm().Command1[9];
    nextButton.setStrikethrough(true);
    newGame();
    EXPECT_FALSE(nextButton.strikethrough());
    EXPECT_EQ(Engine.WaitingForClick, -1);
    // Next strikes the caption through while the story runs; the wait clears it.
    // The check is queued so that it runs at the run's first yield.
    bool struckDuringRun = false;
    QMetaObject::invokeMethod(
        qApp, [&] { struckDuringRun = nextButton.strikethrough(); }, Qt::QueuedConnection);
    next();
    EXPECT_TRUE(struckDuringRun);
    EXPECT_FALSE(nextButton.strikethrough());
    EXPECT_EQ(messageText(), "1\r2\r");
}

TEST_F(MessageWindowTest, KeywaitInModeFiveUsesButtonTen) {
    writeScenario({Label(1), Line("sysmode", "5"), Line("msg", "a"), Line("keywait"),
                   Line("msg", "b"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    PushButton& ten = MainForm().Command1[10];
    EXPECT_TRUE(ten.isVisible());
    EXPECT_EQ(ten.caption(), QStringLiteral("話を進める"));
    EXPECT_EQ(ten.toolTip(), "Next");
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_EQ(Engine.MenuMode, 5);
    Command1_Click(9);  // the ordinary Next button does nothing in this mode
    EXPECT_EQ(messageText(), "a\r\r");
    Command1_Click(10);
    EXPECT_EQ(messageText(), "a\rb\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(MessageWindowTest, KeywaitInModeSevenJustStops) {
    writeScenario({Label(1), Line("sysmode", "7"), Line("msg", "a"), Line("keywait"),
                   Line("msg", "b"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(Engine.WaitingForClick, 0);
    for (int i = 0; i < kButtonCount; ++i)
        Command1_Click(static_cast<int16_t>(i));
    EXPECT_EQ(messageText(), "a\r\r");
    EXPECT_EQ(MainForm().Command1[10].caption(), "");
}

}  // namespace

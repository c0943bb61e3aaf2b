// Built-in routines: the quit question, used choices, the ending and a bad name.
#include <gtest/gtest.h>

#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "scenario/Ending.h"
#include "scenario/EngineState.h"
#include "scenario/RoutineCommands.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

class Routines : public GameFixture {
  protected:
    void play(const QStringList& body) {
        writeScenario(QStringList{Label(1)} + body + QStringList{"_"});
        newGame();
    }
};

TEST_F(Routines, Rtb1HidesUsedChoicesZeroToSevenOnly) {
    Engine.ChoiceFlags[1] = 0;
    Engine.ChoiceFlags[8] = 0;
    MainForm().Command1[2].setVisible(false);
    MessageScript boxes;
    play({Line("sysmode", "1"), Line("pgnext", "rtb1"), Line("botrpg")});
    EXPECT_FALSE(MainForm().Command1[1].isVisible());
    EXPECT_TRUE(MainForm().Command1[8].isVisible());  // never touched
    EXPECT_TRUE(MainForm().Command1[0].isVisible());
}

TEST_F(Routines, Rtb2MarksTheLastChoiceAndIgnoresButtonTen) {
    Engine.SelectedChoice = 4;
    Engine.RoutineName = "rtb2";
    RunBuiltinRoutine();
    EXPECT_EQ(Engine.ChoiceFlags[4], 0);
    Engine.SelectedChoice = 10;
    RunBuiltinRoutine();
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(Engine.ChoiceFlags[i], i == 4 ? 0 : -1);
}

TEST_F(Routines, NamesAreLowerCasedButNotTrimmed) {
    MessageScript boxes;
    play({Line("pgnext", "RTB2"), Line("botrpg")});
    EXPECT_EQ(Engine.RoutineName, "rtb2");
    boxes.expect(QStringLiteral("rtb2 :PG命令の動作不正！強制終了します。"));
    play({Line("pgnext", "rtb2 "), Line("msg", "never"), Line("keywait")});
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_EQ(messageText(), "");
}

TEST_F(Routines, PgLeavesTheRunAndPgnextGoesOn) {
    MessageScript boxes;
    play({Line("pg", "rtb1"), Line("msg", "not read"), Line("keywait")});
    EXPECT_EQ(messageText(), "");
    play({Line("pgnext", "rtb1"), Line("msg", "read"), Line("keywait")});
    EXPECT_EQ(messageText(), "read\r\r");
}

TEST_F(Routines, RenderAsksToQuit) {
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No);
    play({Line("pgnext", "render"), Line("msg", "stayed"), Line("keywait")});
    EXPECT_EQ(messageText(), "stayed\r\r");
    boxes.expectQuitQuestion(MessageAnswer::Yes);
    play({Line("pg", "render")});
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(Routines, EndingLinesHaveTheirKindsAndLengths) {
    const QStringList happy = EndingLines();
    const int happyLengths[] = {17, 17, 21, 28, 15, 31, 29, 22, 15, 14, 14, 14};
    ASSERT_EQ(happy.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(happy[i].size(), happyLengths[i]) << i;
        EXPECT_TRUE(happy[i].startsWith(QChar(0x3000))) << i;
    }
    EXPECT_EQ(happy[0], QStringLiteral("　－－－　それから１ヶ月後　－－－"));
    EXPECT_EQ(happy.back(), QStringLiteral("　Ｈａｐｐｙ　Ｅｎｄ。。。☆"));
    EXPECT_TRUE(happy[3].contains(QStringLiteral("「")) && happy[3].endsWith(QStringLiteral("」")));

    Engine.ChoiceFlags[6] = 0;
    const QStringList normal = EndingLines();
    const int normalLengths[] = {17, 17, 28, 19, 14, 14, 14};
    ASSERT_EQ(normal.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(normal[i].size(), normalLengths[i]) << i;
    EXPECT_EQ(normal.back(), QStringLiteral("　Ｎｏｒｍａｌ　Ｅｎｄ．．．"));
}

TEST_F(Routines, EndingShowsEachLineForFiveSecondChangesThenEnds) {
    writePicture("scene.png", 480, 358, 0xff0000);
    Engine.ChoiceFlags[6] = 0;  // normal ending: seven lines
    MessageScript boxes;
    const int64_t start = clock_.milliseconds();
    play({Line("cg", "scene.png"), Line("msg", "bye"), Line("pg", "rtb3")});
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(IsFileOpen(Engine.ScenarioFile));
    EXPECT_EQ(MainForm().Label1.text(), QStringLiteral("\r　Ｎｏｒｍａｌ　Ｅｎｄ．．．\r"));
    // The stepped clock starts on a whole second: each line waits exactly five.
    EXPECT_EQ(clock_.milliseconds() - start, 7 * 5000);
    EXPECT_NE(MainForm().Picture1.pixel(10, 10), 0xffff0000u);  // the picture is gone
}

TEST_F(Routines, EndingWaitBeginsMidSecond) {
    clock_.advance(700);
    MessageScript boxes;
    const int64_t start = clock_.milliseconds();
    ShowEndingLine("x");
    EXPECT_EQ(clock_.milliseconds() - start, 4300);  // between four and five seconds
}

}  // namespace

// Built-in routines: used choices, the quit question, the ending and a bad name.

#include "platform/TextFile.h"
#include "scenario/Ending.h"
#include "scenario/RoutineCommands.h"
#include "support/CoreFixture.h"

namespace {

class Routines : public CoreFixture {};

// `rtb1` hides a used choice on buttons 0 to 7 only, and shows nothing again.
class Rtb1 : public Routines, public ::testing::WithParamInterface<int> {};

TEST_P(Rtb1, HidesAUsedChoiceOnButtonsZeroToSeven) {
    const int used = GetParam();
    Engine.ChoiceFlags[static_cast<size_t>(used)] = 0;
    stage_.buttons[(used + 1) % 10].visible = false;
    Engine.RoutineName = "rtb1";
    RunBuiltinRoutine();
    for (int i = 0; i < kButtonCount; ++i) {
        const bool hidden = (i == used && used <= 7) || i == (used + 1) % 10;
        EXPECT_EQ(stage_.buttons[static_cast<size_t>(i)].visible, !hidden) << "button " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(EachUsedChoice, Rtb1, ::testing::Range(0, 10));

TEST_F(Routines, Rtb2MarksTheLastChoiceNamesAreLowerCasedButNotTrimmed) {
    Engine.SelectedChoice = 10;  // button 10 is no choice to mark
    MessageScript boxes;
    play({Line("pgnext", "RTB2"), Line("botrpg")});
    EXPECT_EQ(Engine.RoutineName, "rtb2");
    Engine.SelectedChoice = 4;
    RunBuiltinRoutine();
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(Engine.ChoiceFlags[i], i == 4 ? 0 : -1);
    boxes.expect(QStringLiteral("rtb2 :PG命令の動作不正！強制終了します。"));
    play({Line("pgnext", "rtb2 "), Line("msg", "never"), Line("keywait")});
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_EQ(messageText(), "");
}

TEST_F(Routines, PgLeavesTheRunPgnextGoesOnRenderAsks) {
    MessageScript boxes;
    play({Line("pg", "rtb1"), Line("msg", "not read"), Line("keywait")});
    EXPECT_EQ(messageText(), "");
    boxes.expectQuitQuestion(MessageAnswer::No);
    play({Line("pgnext", "render"), Line("msg", "read"), Line("keywait")});
    EXPECT_EQ(messageText(), "read\r\r");
    boxes.expectQuitQuestion(MessageAnswer::Yes);
    play({Line("pg", "render")});
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(Routines, EndingShowsEachLineForFiveSecondChangesThenEnds) {
    writeFile("scene.png", "any");
    Engine.ChoiceFlags[6] = 0;  // normal ending: seven lines
    MessageScript boxes;
    const int64_t start = clock_.milliseconds();
    play({Line("cg", "scene.png"), Line("msg", "bye"), Line("pg", "rtb3")});
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(IsFileOpen(Engine.ScenarioFile));
    EXPECT_EQ(messageText(), QStringLiteral("\r　Ｎｏｒｍａｌ　Ｅｎｄ．．．\r"));
    // The stepped clock starts on a whole second: each line waits exactly five.
    EXPECT_EQ(clock_.milliseconds() - start, 7 * 5000);
    EXPECT_EQ(stage_.picture1.picture, "");  // the scene is gone
    EXPECT_EQ(stage_.picture1.refreshes, 2);

    ResetProgramEnd();
    clock_.advance(700);
    const int64_t midSecond = clock_.milliseconds();
    ShowEndingLine("x");
    EXPECT_EQ(clock_.milliseconds() - midSecond, 4300);  // between four and five seconds
}

}  // namespace

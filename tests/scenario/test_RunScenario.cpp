// The interpreter loop: label jumps, the line budget, dispatch, and the orderly
// stop on problems in the scenario file.
#include <gtest/gtest.h>

#include "platform/ProgramEnd.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

const QString kUnsupportedTail = QStringLiteral("' はｻﾎﾟｰﾄしていません!");
QString Unsupported(const QString& line) { return QLatin1Char('\'') + line + kUnsupportedTail; }

class Interpreter : public GameFixture {};

// ---- label search ----------------------------------------------------------

TEST_F(Interpreter, NewGameStartsAfterLabelOne) {
    writeScenario({Line("msg", "before"), Label(1), Line("msg", "first"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "first\r\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_EQ(Engine.JumpLabel, 0);
    EXPECT_NE(Engine.ScenarioFile, 0);
}

TEST_F(Interpreter, FirstOfTwoEqualLabelsWins) {
    writeScenario({Label(1), Line("next", "7"), Label(7), Line("msg", "first seven"),
                   Line("keywait"), Label(7), Line("msg", "second seven"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "first seven\r\r");
}

TEST_F(Interpreter, MissingLabelReachesEndLineThenStopsWithMessage) {
    writeScenario({Label(1), Line("next", "12"), "_"});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kLabelSearchErrorMessage))
        .expectQuitQuestion(MessageAnswer::No)
        .expectContaining(QStringLiteral("「_00012」がシナリオにありません"));
    newGame();
    EXPECT_TRUE(boxes.finished());
    // The message points at the line that asked for the jump.
    EXPECT_TRUE(boxes.shown().back().contains(QStringLiteral("の 2 行目")))
        << boxes.shown().back().toStdString();
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_FALSE(ScenarioRunning());
}

TEST_F(Interpreter, MissingLabelAndQuitConfirmedEndsProgram) {
    writeScenario({Label(1), Line("next", "12"), "_"});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kLabelSearchErrorMessage))
        .expectQuitQuestion(MessageAnswer::Yes);
    newGame();
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(Interpreter, LabelAfterEndLineIsFoundWhenQuitDeclined) {
    writeScenario(
        {Label(1), Line("next", "3"), "_", Label(3), Line("msg", "late"), Line("keywait")});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kLabelSearchErrorMessage))
        .expectQuitQuestion(MessageAnswer::No);
    newGame();
    EXPECT_EQ(messageText(), "late\r\r");
}

TEST_F(Interpreter, NegativeLabelUsesLastFiveCharacters) {
    writeScenario(
        {Label(1), Line("next", "-5"), "_000-5", Line("msg", "odd label"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "odd label\r\r");
}

TEST_F(Interpreter, NextZeroGoesOnWithFollowingLine) {
    writeScenario({Label(1), Line("next", "0"), Line("msg", "after"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "after\r\r");
}

TEST_F(Interpreter, NextFloorsFractions) {
    writeScenario(
        {Label(1), Line("next", " 2.9 "), Label(2), Line("msg", "two"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "two\r\r");
}

TEST_F(Interpreter, NextMinusOneEndsStoryAndAsksToQuit) {
    writeScenario({Label(1), Line("next", "-1"), Line("msg", "never"), "_"});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kScenarioEndMessage)).expectQuitQuestion(MessageAnswer::Yes);
    newGame();
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_EQ(messageText(), "");
}

TEST_F(Interpreter, DeclinedQuitAtStoryEndStopsQuietlyAndNewGameStillWorks) {
    writeScenario({Label(1), Line("msg", "once"), Line("next", "-1"), "_"});
    {
        MessageScript boxes;
        boxes.expect(QString::fromUtf16(kScenarioEndMessage)).expectQuitQuestion(MessageAnswer::No);
        newGame();
    }
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_EQ(Engine.JumpLabel, 0);
    EXPECT_EQ(Engine.MenuMode, 0);
    // The system menu is back and the story can start again.
    EXPECT_EQ(MainForm().Command1[2].caption(), QStringLiteral("最初から遊ぶ"));
    MessageScript again;
    again.expect(QString::fromUtf16(kScenarioEndMessage)).expectQuitQuestion(MessageAnswer::No);
    newGame();
    EXPECT_EQ(messageText(), "once\ronce\r");
}

// ---- the line budget -------------------------------------------------------

QStringList Comments(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("' filler %1").arg(i);
    return lines;
}

TEST_F(Interpreter, NinetyNineLinesThenWaitIsFine) {
    writeScenario(QStringList{Label(1)} + Comments(98) + QStringList{Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(ProgramEndCount(), 0);
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(Interpreter, HundredthLineWaitingStillLoopsOut) {
    writeScenario(QStringList{Label(1)} + Comments(99) + QStringList{Line("keywait"), "_"});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kLoopOutMessage));
    newGame();
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(Interpreter, LoopToItselfCountsOnlyTheNextLines) {
    // Every search skips the label line and the lines before it for free; only
    // the `next` lines count, so the hundredth ends the program.
    writeScenario({Label(1), Line("next", "2"), Label(2), Line("next", "2"), "_"});
    MessageScript boxes;
    boxes.expect(QString::fromUtf16(kLoopOutMessage));
    newGame();
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(Interpreter, PgAsHundredthLineReturnsWithoutLoopOut) {
    writeScenario(QStringList{Label(1)} + Comments(99) + QStringList{Line("pg", "rtb1"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(ProgramEndCount(), 0);
    EXPECT_EQ(Engine.RoutineName, "rtb1");
}

TEST_F(Interpreter, EachRunHasItsOwnBudget) {
    QStringList lines{Label(1)};
    for (int wait = 0; wait < 3; ++wait)
        lines += Comments(90) + QStringList{Line("keywait")};
    writeScenario(lines + QStringList{"_"});
    MessageScript boxes;
    newGame();
    next();
    next();
    EXPECT_EQ(ProgramEndCount(), 0);
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

// ---- dispatch --------------------------------------------------------------

TEST_F(Interpreter, CommentsAreSilentButBlankLinesAreUnsupported) {
    writeScenario({Label(1), "'", "' a note", "", Line("msg", "shown"), Line("keywait"), "_"});
    MessageScript boxes;
    boxes.expect(Unsupported(""));
    newGame();
    EXPECT_EQ(messageText(), "shown\r\r");
}

TEST_F(Interpreter, CommandWordsAreComparedLowerCased) {
    writeScenario({Label(1), Line("MSG", "Hello"), Line("KeyWait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "Hello\r\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(Interpreter, UnpaddedWordIsUnsupportedAndTheRunGoesOn) {
    writeScenario({Label(1), "keywait", Label(4), Line("msg", "still here"), Line("keywait"), "_"});
    MessageScript boxes;
    boxes.expect(Unsupported("keywait")).expect(Unsupported(Label(4)));
    newGame();
    EXPECT_EQ(messageText(), "still here\r\r");
}

TEST_F(Interpreter, SysmodeReadsTheLastCharacter) {
    writeScenario({Label(1), Line("sysmode", "12"), Line("botrpg"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(Engine.SysMode, 2);
    EXPECT_EQ(Engine.MenuMode, 2);
    // Any mode but 0 leaves eleven visible blank buttons.
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_TRUE(MainForm().Command1[i].isVisible()) << i;
        EXPECT_EQ(MainForm().Command1[i].caption(), "") << i;
    }
}

TEST_F(Interpreter, SysmodeNonDigitIsZeroAndPutsTheMenuBack) {
    writeScenario({Label(1), Line("sysmode", "4"), Line("sysmode", "x"), Line("botrpg"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(Engine.SysMode, 0);
    EXPECT_EQ(MainForm().Command1[0].caption(), QStringLiteral("ゲーム終了"));
    EXPECT_FALSE(MainForm().Command1[1].isVisible());
}

TEST_F(Interpreter, ShortRestOfLineCommandTakesEmptyArgument) {
    writeScenario({Label(1), Line("msg", "a"), "msg     ", "msg      ", Line("msg", "b"),
                   Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), "\r\rb");
}

TEST_F(Interpreter, DoubleByteTextKeepsItsColumns) {
    writeScenario({Label(1), QStringLiteral("msg      灯りがともる。"),
                   QStringLiteral("Msg      ｶﾀｶﾅ"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    EXPECT_EQ(messageText(), QStringLiteral("灯りがともる。\rｶﾀｶﾅ\r"));
}

TEST_F(Interpreter, NextClickContinuesAfterTheWait) {
    writeScenario(
        {Label(1), Line("msg", "one"), Line("keywait"), Line("msg", "two"), Line("keywait"), "_"});
    MessageScript boxes;
    next();  // nothing waits yet
    EXPECT_EQ(messageText(), "");
    newGame();
    EXPECT_FALSE(MainForm().Command1[9].strikethrough());
    next();
    EXPECT_EQ(messageText(), "one\rtwo\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

// ---- orderly stops ---------------------------------------------------------

TEST_F(Interpreter, MissingScenarioFileIsReported) {
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("シナリオファイルが見つからないか、読めません"));
    newGame();
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_FALSE(ScenarioRunning());
}

TEST_F(Interpreter, EndOfFileDuringOrdinaryReadingNamesTheLastLine) {
    writeScenario({Label(1), Line("msg", "the end is near")});
    MessageScript boxes;
    boxes.expectContaining(
        QStringLiteral("の 2 行目で問題が見つかりました。\n\n「msg      the end is near」"));
    newGame();
    EXPECT_FALSE(ProgramHasEnded());
}

TEST_F(Interpreter, EndOfFileDuringLabelSearchWithoutEndLine) {
    writeScenario({Label(1), Line("next", "9")});
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("「_00009」がシナリオにありません"));
    newGame();
    EXPECT_FALSE(ProgramHasEnded());
}

struct BadNumber {
    const char* argument;
    const char* problem;
};
void PrintTo(const BadNumber& row, std::ostream* os) { *os << '"' << row.argument << '"'; }

class NextArgument : public Interpreter, public ::testing::WithParamInterface<BadNumber> {};

TEST_P(NextArgument, IsReportedWithLineAndStopsTheRun) {
    const QString bad = Line("next", QString::fromUtf8(GetParam().argument));
    writeScenario(
        {Label(1), Line("msg", "before"), bad, Line("msg", "after"), Line("keywait"), "_"});
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("の 3 行目で問題が見つかりました。\n\n「%1」").arg(bad));
    newGame();
    EXPECT_TRUE(boxes.finished());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown().front().contains(QString::fromUtf8(GetParam().problem)));
    EXPECT_EQ(messageText(), "before\r\r");
    EXPECT_EQ(Engine.WaitingForClick, 0);
    EXPECT_FALSE(ScenarioRunning());
    EXPECT_FALSE(ProgramHasEnded());
}

INSTANTIATE_TEST_SUITE_P(Rows, NextArgument,
                         ::testing::Values(BadNumber{"", "ラベル番号がありません"},
                                           BadNumber{"   ", "ラベル番号がありません"},
                                           BadNumber{"abc", "数ではありません"},
                                           BadNumber{"12x", "数ではありません"},
                                           BadNumber{"32768", "範囲を超えています"},
                                           BadNumber{"-32769", "範囲を超えています"}));

TEST_F(Interpreter, AfterAnErrorNewGameStartsAgain) {
    writeScenario({Label(1), Line("msg", "go"), Line("next", "oops"), "_"});
    {
        MessageScript boxes;
        boxes.expectContaining(QStringLiteral("数ではありません"));
        newGame();
    }
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("数ではありません"));
    newGame();
    EXPECT_EQ(messageText(), "go\rgo\r");
}

}  // namespace

// Choice buttons: targets, labels, pictures, the choice wait and its errors.
#include <gtest/gtest.h>

#include <QColor>

#include "platform/ProgramEnd.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

class Choices : public GameFixture {
  protected:
    PushButton& button(int i) { return MainForm().Command1[i]; }
    // Runs New Game on a scenario of `body` lines after label 1.
    void play(const QStringList& body) {
        writeScenario(QStringList{Label(1)} + body + QStringList{"_"});
        newGame();
    }
};

const QString kTargets =
    QStringLiteral("00012 00015 00000 00000 00000 00000 00000 00000 00000 00003");

TEST_F(Choices, TypicalChoiceJumpsToTheClickedButtonsLabel) {
    MessageScript boxes;
    play({Line("botcls"), Line("nextbot", kTargets),
          Line("bottxt2", "0 Go left,Take the left path"),
          Line("bottxt2", "1 Go right,Take the right path"), Line("botwait"),
          Line("msg", "after wait"), Line("keywait"), Label(12), Line("msg", "left"),
          Line("keywait"), Label(15), Line("msg", "right"), Line("keywait")});
    EXPECT_EQ(Engine.MenuMode, 1);
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_FALSE(button(9).isVisible());
    EXPECT_TRUE(button(0).isVisible());
    EXPECT_EQ(button(0).caption(), "Go left");
    EXPECT_EQ(button(1).toolTip(), "Take the right path");
    EXPECT_FALSE(button(2).isVisible());
    EXPECT_EQ(Engine.ChoiceTargets[1], 15);
    EXPECT_EQ(Engine.ChoiceTargets[9], 3);
    EXPECT_EQ(Engine.ChoiceTargets[10], 0);
    Command1_Click(1);
    EXPECT_EQ(messageText(), "right\r\r");
    EXPECT_EQ(Engine.SelectedChoice, 1);
    EXPECT_EQ(button(0).caption(), QStringLiteral("ゲーム終了"));  // the menu is back in mode 0
}

TEST_F(Choices, ButtonWithTargetZeroGoesOnAfterTheWait) {
    MessageScript boxes;
    play({Line("nextbot", kTargets), Line("botcls"), Line("bottxt2", "2 Stay,"), Line("botwait"),
          Line("msg", "stayed"), Line("keywait")});
    Command1_Click(2);
    EXPECT_EQ(messageText(), "stayed\r\r");
}

TEST_F(Choices, IndexAddressesButtonTenAndNonHexMeansZero) {
    MessageScript boxes;
    play({Line("botcls"), Line("bottxt2", "a Back,Go back"), Line("bottxt2", "A Back again,tip"),
          Line("bottxt2", "  Blank index,zero"), Line("botrpg")});
    EXPECT_EQ(button(10).caption(), "Back again");
    EXPECT_TRUE(button(10).isVisible());
    EXPECT_EQ(button(0).caption(), "Blank index");
}

TEST_F(Choices, CommaFormEdges) {
    MessageScript boxes;
    play({Line("botcls"), Line("bottxt2", "3 ,tip, with, commas"), Line("botrpg")});
    EXPECT_EQ(button(3).caption(), "");
    EXPECT_EQ(button(3).toolTip(), "tip, with, commas");
}

TEST_F(Choices, PictureAndCaptionLiveTogether) {
    writePicture("door.png", 40, 20, 0x804020);
    MessageScript boxes;
    play({Line("botcls"), Line("bottxt2", "1 Door,x"), Line("botpic", "1 door.png,Open the door"),
          Line("bottxt2", "1 Door2,y"), Line("botrpg")});
    EXPECT_TRUE(button(1).hasPicture());
    EXPECT_EQ(button(1).caption(), "Door2");
    EXPECT_EQ(button(1).toolTip(), "y");
}

TEST_F(Choices, BotclsRemovesPicturesAndToolTips) {
    writePicture("door.png", 40, 20, 0x804020);
    MessageScript boxes;
    play({Line("botpic", "4 door.png,tip"), Line("botcls"), Line("botrpg")});
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_FALSE(button(i).isVisible());
        EXPECT_FALSE(button(i).hasPicture());
        EXPECT_EQ(button(i).toolTip(), "");
    }
}

TEST_F(Choices, BotwaitInModeFiveWaitsForNextOnButtonTen) {
    MessageScript boxes;
    play({Line("sysmode", "5"), Line("botwait"), Line("msg", "on"), Line("keywait")});
    EXPECT_EQ(Engine.MenuMode, 5);
    EXPECT_EQ(button(10).caption(), QStringLiteral("話を進める"));
    Command1_Click(10);
    EXPECT_EQ(messageText(), "on\r\r");
}

TEST_F(Choices, BotrpgAndHighModesHaltUntilNewGame) {
    MessageScript boxes;
    play({Line("sysmode", "6"), Line("botwait"), Line("msg", "never"), Line("keywait")});
    EXPECT_EQ(Engine.WaitingForClick, 0);
    for (int i = 0; i < kButtonCount; ++i)
        Command1_Click(static_cast<int16_t>(i));
    EXPECT_EQ(messageText(), "");
}

// ---- orderly stops on bad lines -------------------------------------------

struct BadLine {
    const char* line;
    const char* problem;
};
void PrintTo(const BadLine& row, std::ostream* os) { *os << row.line; }

class BadChoiceLine : public Choices, public ::testing::WithParamInterface<BadLine> {};

TEST_P(BadChoiceLine, IsReportedWithLineNumberAndStopsTheRun) {
    const QString bad = QString::fromUtf8(GetParam().line);
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("の 3 行目で問題が見つかりました。\n\n「%1」").arg(bad));
    play({Line("msg", "before"), bad, Line("msg", "after"), Line("keywait")});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown().front().contains(QString::fromUtf8(GetParam().problem)))
        << boxes.shown().front().toStdString();
    EXPECT_EQ(messageText(), "before\r\r");
    EXPECT_FALSE(ScenarioRunning());
    EXPECT_FALSE(ProgramHasEnded());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadChoiceLine,
    ::testing::Values(
        BadLine{"bottxt2  b Eleven,tip", "ボタン番号「b」のボタンはありません"},
        BadLine{"botpic   F pic.png,tip", "ボタン番号「F」のボタンはありません"},
        BadLine{"bottxt2  1 no comma here", "「,」がありません"},
        BadLine{"bottxt2  1,early", "「,」がありません"},
        BadLine{"botpic   1 missing.png,tip", "ボタンの絵「missing.png」が見つからないか"},
        BadLine{"nextbot  00012 00015", "3 番目の行き先（22 文字目から 5 文字）がありません"},
        BadLine{"nextbot  00012 00015 00000 00000 00000 00000 00000 00000 00000      ",
                "10 番目の行き先（64 文字目から 5 文字）がありません"},
        BadLine{"nextbot  00012 0001x 00000 00000 00000 00000 00000 00000 00000 00000",
                "2 番目の行き先（16 文字目から 5 文字）「0001x」がラベル番号として読めません"},
        BadLine{"nextbot  00012 40000 00000 00000 00000 00000 00000 00000 00000 00000",
                "「40000」がラベル番号として読めません"}));

TEST_F(Choices, FailedNextbotLeavesTheOldTargets) {
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("読めません"));
    play({Line("nextbot", kTargets), Line("nextbot", "00001 xxxxx"), Line("botrpg")});
    EXPECT_EQ(Engine.ChoiceTargets[0], 12);
}

}  // namespace

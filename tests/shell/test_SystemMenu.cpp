// The button column: the system menu's labels, and what a click means in every
// menu mode.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/HelpViewer.h"
#include "platform/ProgramEnd.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"
#include "shell/VersionBox.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

class SystemMenuTest : public GameFixture {
  protected:
    PushButton& button(int i) { return MainForm().Command1[i]; }
    void TearDown() override {
        CloseHelpViewer();
        GameFixture::TearDown();
    }
};

TEST_F(SystemMenuTest, MenuModeZeroLabelsTheMenu) {
    struct Row {
        int button;
        const char* caption;
        const char* toolTip;
    };
    const Row rows[] = {{0, "ゲーム終了", "End Game"},
                        {2, "最初から遊ぶ", "New Game"},
                        {5, "遊び方の説明", "Help"},
                        {6, "バージョン情報", "Vesion"},
                        {9, "話を進める", "Next"}};
    button(3).setCaption("left over");
    ShowSystemMenu();
    for (const Row& row : rows) {
        EXPECT_TRUE(button(row.button).isVisible()) << row.button;
        EXPECT_EQ(button(row.button).caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(button(row.button).toolTip(), QString::fromUtf8(row.toolTip));
    }
    for (int hidden : {1, 3, 4, 7, 8, 10}) {
        EXPECT_FALSE(button(hidden).isVisible()) << hidden;
        EXPECT_EQ(button(hidden).caption(), "");
    }
}

TEST_F(SystemMenuTest, ModesThreeAndFiveOfferReturnToTheGame) {
    for (uint8_t mode : {3, 5}) {
        Engine.SysMode = mode;
        button(9).setStrikethrough(true);
        ShowSystemMenu();
        EXPECT_EQ(button(9).caption(), QStringLiteral("ゲームに戻る"));
        EXPECT_EQ(button(9).toolTip(), "Return games");
        EXPECT_FALSE(button(9).strikethrough());
    }
    Engine.SysMode = 4;
    button(9).setStrikethrough(true);
    ShowSystemMenu();
    EXPECT_EQ(button(9).caption(), QStringLiteral("話を進める"));
    EXPECT_TRUE(button(9).strikethrough());  // left as it was
}

TEST_F(SystemMenuTest, OtherMenuModesLeaveElevenBlankButtons) {
    button(4).setCaption("x");
    button(4).setToolTip("y");
    button(4).setVisible(false);
    Engine.MenuMode = 1;
    ShowSystemMenu();
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_TRUE(button(i).isVisible());
        EXPECT_EQ(button(i).caption(), "");
        EXPECT_EQ(button(i).toolTip(), "");
        EXPECT_FALSE(button(i).hasPicture());
    }
}

TEST_F(SystemMenuTest, ArrangeButtonsMakesTheColumn) {
    ArrangeButtons();
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(button(i).left(), 500);
        EXPECT_EQ(button(i).top(), 10 + 42 * i);
        EXPECT_EQ(button(i).width(), 129);
        EXPECT_EQ(button(i).height(), 33);
    }
    EXPECT_EQ(button(10).left(), 496);
    EXPECT_EQ(button(10).top(), 408);
}

TEST_F(SystemMenuTest, UnfinishedButtonsSaySo) {
    MessageScript boxes;
    boxes.expect(QStringLiteral("まだ制作中です。")).expect(QStringLiteral("まだ制作中です。"));
    Command1_Click(4);
    Command1_Click(10);
    for (int16_t nothing : {1, 3, 7, 8})
        Command1_Click(nothing);
    EXPECT_EQ(Engine.MenuMode, 0);
    EXPECT_EQ(Engine.JumpLabel, 1);
}

TEST_F(SystemMenuTest, VersionBoxTextCharacterForCharacter) {
    const QString expected = QStringLiteral(
        "『 ランタンウィック 』  Ver.2.00\r\n\r\n"
        "    (C) 2026 ともしび工房\r\n\r\n\r\n"
        "《ゲームサポート・ホームページ・アドレス》\r\n"
        "○第１ゲート：https://lanternwick.example.jp/\r\n"
        "○第２ゲート：https://tomoshibi-kobo.example.net/support/\r\n"
        "○第３ゲート：https://www.example.org/lanternwick/\r\n"
        "○第４ゲート：https://mirror.example.com/lanternwick/\r\n\r\n");
    EXPECT_EQ(VersionBoxText(), expected);
    MessageScript boxes;
    boxes.expect(expected);
    Command1_Click(6);
}

TEST_F(SystemMenuTest, NoticeIsCentredWithHalvesToEven) {
    EXPECT_EQ(NoticeIndent(26, 18), 2);
    EXPECT_EQ(NoticeIndent(26, 15), 4);  // 3.5 -> 4
    EXPECT_EQ(NoticeIndent(26, 17), 2);  // 2.5 -> 2
    EXPECT_EQ(NoticeIndent(26, 22), 0);
    EXPECT_EQ(NoticeIndent(26, 30), 0);  // longer than the title: no negative indent
}

TEST_F(SystemMenuTest, HelpOpensTheViewerOrReportsAMissingFile) {
    {
        MessageScript boxes;
        boxes.expect(QStringLiteral("ヘルプファイル「Lanternwick.HLP」を開けませんでした。"));
        Command1_Click(5);
        EXPECT_FALSE(HelpViewerOpen());
    }
    writeFile("lanternwick.hlp", "<html><body><h1>遊び方</h1><p>ボタンを押す</p></body></html>");
    Command1_Click(5);
    EXPECT_TRUE(HelpViewerOpen());
    EXPECT_TRUE(HelpViewerText().contains(QStringLiteral("ボタンを押す")));
    // A Shift-JIS text file works too.
    writeFile("lanternwick.hlp", QByteArray("\x97\x56\x82\xd1\x95\xfb"));  // 遊び方
    Command1_Click(5);
    EXPECT_EQ(HelpViewerText(), QStringLiteral("遊び方"));
}

TEST_F(SystemMenuTest, QuitButtonAsksAndNoPutsTheMenuBack) {
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No);
    button(0).setCaption("changed");
    Command1_Click(0);
    EXPECT_EQ(button(0).caption(), QStringLiteral("ゲーム終了"));
    EXPECT_FALSE(ProgramHasEnded());
}

// ---- Next and New Game -----------------------------------------------------

TEST_F(SystemMenuTest, NextDoesNothingUntilTheStoryWaits) {
    writeScenario(
        {Label(1), Line("msg", "a"), Line("keywait"), Line("msg", "b"), Line("keywait"), "_"});
    MessageScript boxes;
    Command1_Click(9);
    EXPECT_EQ(messageText(), "");
    newGame();
    Command1_Click(9);
    EXPECT_EQ(messageText(), "a\rb\r");
}

TEST_F(SystemMenuTest, ReturnToGameInModeThree) {
    Engine.SysMode = 3;
    Engine.MenuMode = 0;
    Engine.WaitingForClick = -1;
    ShowSystemMenu();
    Command1_Click(9);
    EXPECT_EQ(Engine.MenuMode, 3);
    EXPECT_EQ(Engine.WaitingForClick, 0);
    EXPECT_FALSE(button(10).isVisible());
    for (int i = 0; i <= 9; ++i) {
        EXPECT_TRUE(button(i).isVisible());
        EXPECT_EQ(button(i).caption(), "");
    }
    // Mode 3: every click does nothing now.
    for (int i = 0; i < kButtonCount; ++i)
        Command1_Click(static_cast<int16_t>(i));
    EXPECT_EQ(Engine.MenuMode, 3);
}

TEST_F(SystemMenuTest, NewGameRestartsAtLabelOneWithoutResetting) {
    writeScenario({Label(1), Line("msg", "start"), Line("keywait"), Line("sysmode", "4"),
                   Line("msg", "later"), Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    Command1_Click(9);
    EXPECT_EQ(Engine.SysMode, 4);
    Engine.MenuMode = 0;
    ShowSystemMenu();
    newGame();
    EXPECT_EQ(messageText(), "start\rlater\rstart");
    EXPECT_EQ(Engine.SysMode, 4);  // New Game resets nothing but the menu and the label
}

TEST_F(SystemMenuTest, NewGameDuringAYieldRestartsOnceWithoutNesting) {
    writeScenario({Label(1), Line("msg", "one"), Line("msg", "two"), Line("keywait"), "_"});
    MessageScript boxes;
    int clicks = 0;
    // Queued now, delivered at the first yield of the run: inside `msg one`.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            ++clicks;
            EXPECT_TRUE(ScenarioRunning());
            Command1_Click(2);
        },
        Qt::QueuedConnection);
    newGame();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(ScenarioRunning());
    // The first run stopped after "one"; the restart showed "one" and "two" again.
    EXPECT_EQ(messageText(), "one\rone\rtwo");
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(SystemMenuTest, StaleNextQueuedDuringARunIsIgnored) {
    writeScenario(
        {Label(1), Line("msg", "one"), Line("keywait"), Line("msg", "two"), Line("keywait"), "_"});
    MessageScript boxes;
    QMetaObject::invokeMethod(
        qApp, [] { Command1_Click(9); }, Qt::QueuedConnection);
    newGame();
    EXPECT_EQ(messageText(), "one\r\r");
}

// ---- choices ---------------------------------------------------------------

class ChoiceClicks : public SystemMenuTest {
  protected:
    void waitForChoice(uint8_t sysMode) {
        writeScenario({Label(1), Line("msg", "choose"), Line("keywait"), Line("msg", "went on"),
                       Line("keywait"), Label(7), Line("msg", "seven"), Line("keywait"), "_"});
        MessageScript boxes;
        newGame();
        Engine.SysMode = sysMode;
        Engine.MenuMode = 1;
        Engine.ChoiceTargets = {};
        Engine.ChoiceTargets[3] = 7;
    }
};

TEST_F(ChoiceClicks, AChoiceJumpsToItsTarget) {
    waitForChoice(0);
    MessageScript boxes;
    Command1_Click(3);
    EXPECT_EQ(messageText(), "choose\rseven\r");
    EXPECT_EQ(Engine.SelectedChoice, 3);
    EXPECT_EQ(Engine.MenuMode, 0);
    EXPECT_EQ(button(0).caption(), QStringLiteral("ゲーム終了"));  // the menu is back
}

TEST_F(ChoiceClicks, TargetZeroAndButtonTenGoOnAfterTheWait) {
    waitForChoice(0);
    MessageScript boxes;
    Command1_Click(10);
    EXPECT_EQ(messageText(), "choose\rwent on\r");
    EXPECT_EQ(Engine.SelectedChoice, 10);
}

TEST_F(ChoiceClicks, NoChoiceWhileNotWaiting) {
    waitForChoice(0);
    Engine.WaitingForClick = 0;
    Command1_Click(3);
    EXPECT_EQ(messageText(), "choose\r\r");
}

TEST_F(ChoiceClicks, ModeThreeButtonZeroOpensTheMenuAndKeepsTheChoice) {
    waitForChoice(3);
    Command1_Click(0);
    EXPECT_EQ(Engine.MenuMode, 0);
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_EQ(button(9).caption(), QStringLiteral("ゲームに戻る"));
    Command1_Click(9);  // back to the game: mode 3, blank buttons
    EXPECT_EQ(Engine.MenuMode, 3);
}

TEST_F(ChoiceClicks, ModeTwoRunsTheRoutineNamedLast) {
    waitForChoice(0);
    Engine.MenuMode = 2;
    Engine.RoutineName = "render";
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No);
    Command1_Click(4);
}

}  // namespace

// The button column: the system menu's labels, and what a click means in every
// display mode, menu mode and wait (one table).

#include <QCoreApplication>

#include "platform/HelpViewer.h"
#include "scenario/RunScenario.h"
#include "shell/SystemMenu.h"
#include "shell/VersionBox.h"
#include "support/GameFixture.h"

namespace {

class SystemMenuTest : public GameFixture {
  protected:
    PushButton& button(int i) { return MainForm().Command1[i]; }
    void TearDown() override {
        CloseHelpViewer();
        GameFixture::TearDown();
    }
};

TEST_F(SystemMenuTest, MenuModeZeroLabelsTheMenuOtherModesLeaveElevenBlankButtons) {
    struct Row {
        int button;
        const char* caption;
        const char* toolTip;
    };
    // clang-format off
    const Row rows[] = {{0, "ゲーム終了", "End Game"}, {2, "最初から遊ぶ", "New Game"}, {5, "遊び方の説明", "Help"},
                        {6, "バージョン情報", "Vesion"}, {9, "話を進める", "Next"}};
    // clang-format on
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
    ArrangeButtons();
    EXPECT_EQ(button(9).top(), 10 + 42 * 9);
    EXPECT_EQ(button(10).top(), 408);  // button 10 keeps its place

    Engine.MenuMode = 1;
    ShowSystemMenu();
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_TRUE(button(i).isVisible()) << i;
        EXPECT_EQ(button(i).caption() + button(i).toolTip(), "") << i;
    }
}

TEST_F(SystemMenuTest, VersionBoxTextCharacterForCharacterHelpAsHtmlOrShiftJisText) {
    EXPECT_EQ(VersionBoxText(),
              QStringLiteral("『 ランタンウィック 』  Ver.2.00\r\n\r\n"
                             "    (C) 2026 ともしび工房\r\n\r\n\r\n"
                             "《ゲームサポート・ホームページ・アドレス》\r\n"
                             "○第１ゲート：https://lanternwick.example.jp/\r\n"
                             "○第２ゲート：https://tomoshibi-kobo.example.net/support/\r\n"
                             "○第３ゲート：https://www.example.org/lanternwick/\r\n"
                             "○第４ゲート：https://mirror.example.com/lanternwick/\r\n\r\n"));
    EXPECT_EQ(NoticeIndent(26, 18), 2);
    EXPECT_EQ(NoticeIndent(26, 15), 4);  // 3.5 -> 4
    EXPECT_EQ(NoticeIndent(26, 17), 2);  // 2.5 -> 2
    EXPECT_EQ(NoticeIndent(26, 30), 0);  // longer than the title: no negative indent

    // Help shows HTML, or Shift-JIS text.
    writeFile("lanternwick.hlp", "<html><body><h1>遊び方</h1><p>ボタンを押す</p></body></html>");
    Command1_Click(kHelpButton);
    EXPECT_TRUE(HelpViewerText().contains(QStringLiteral("ボタンを押す")));
    writeFile("lanternwick.hlp", QByteArray("\x97\x56\x82\xd1\x95\xfb"));  // 遊び方
    Command1_Click(kHelpButton);
    EXPECT_EQ(HelpViewerText(), QStringLiteral("遊び方"));
}

// ---- the click table -----------------------------------------------------------

enum class Does {
    Nothing,
    QuitQuestion,  // answered No: the menu comes back
    NewGame,       // the story starts again at label 1
    NotReady,
    Help,  // no help file here: the viewer says so
    Version,
    Next,          // the story goes on after its wait
    ReturnToGame,  // menu mode = display mode, button 10 hidden, no run
    Choice,        // jumps to the button's target
    OpenMenu,      // the menu over a pending choice
    Routine,       // the last built-in routine again ("rtb2" here)
};

struct Click {
    uint8_t sysMode;
    uint8_t menuMode;
    bool waiting;
    int16_t button;
    Does does;
};
void PrintTo(const Click& c, std::ostream* os) {
    *os << "sysmode " << int(c.sysMode) << ", menu " << int(c.menuMode)
        << (c.waiting ? ", waiting" : ", not waiting") << ", button " << c.button;
}

// clang-format off
using enum Does;
constexpr bool W = true, N = false;
const Click kClicks[] = {
    // menu mode 0, the system menu: only Next looks at the wait
    {0, 0, W, 0, QuitQuestion}, {0, 0, N, 0, QuitQuestion}, {0, 0, W, 1, Nothing},
    {0, 0, W, 3, Nothing},      {0, 0, W, 7, Nothing},      {0, 0, W, 8, Nothing},
    {0, 0, W, 2, NewGame},      {4, 0, N, 2, NewGame},      {0, 0, W, 4, NotReady},
    {0, 0, W, 10, NotReady},    {0, 0, W, 5, Help},         {0, 0, W, 6, Version},
    {0, 0, W, 9, Next},         {0, 0, N, 9, Nothing},      {4, 0, W, 9, Next},
    {7, 0, W, 9, Next},         {3, 0, W, 9, ReturnToGame}, {5, 0, W, 9, ReturnToGame},
    {3, 0, N, 9, Nothing},      {5, 0, N, 9, Nothing},
    // menu mode 1, a choice: every button while the story waits
    {0, 1, W, 0, Choice},       {0, 1, W, 3, Choice},       {0, 1, W, 9, Choice},
    {0, 1, W, 10, Choice},      {0, 1, N, 3, Nothing},      {4, 1, W, 0, Choice},
    {3, 1, W, 0, OpenMenu},     {3, 1, W, 1, Choice},       {3, 1, N, 0, Nothing},
    // menu mode 2: the routine, whatever the button and the wait
    {0, 2, W, 4, Routine},      {0, 2, N, 0, Routine},      {6, 2, N, 10, Routine},
    // menu mode 5: button 10 is Next
    {5, 5, W, 10, Next},        {5, 5, N, 10, Nothing},     {5, 5, W, 9, Nothing},
    {5, 5, W, 0, Nothing},
    // the scenario's other modes: nothing at all
    {3, 3, W, 0, Nothing},      {3, 3, W, 9, Nothing},      {4, 4, W, 9, Nothing},
    {7, 7, W, 10, Nothing},     {9, 9, W, 2, Nothing},      {6, 6, W, 9, Nothing},
};
// clang-format on

class ClickTable : public SystemMenuTest, public ::testing::WithParamInterface<Click> {};

TEST_P(ClickTable, DoesWhatTheModesSay) {
    const Click& click = GetParam();
    writeScenario({Label(1), Line("msg", "start"), Line("keywait"), Line("msg", "went on"),
                   Line("keywait"), Label(7), Line("msg", "seven"), Line("keywait"), "_"});
    {
        MessageScript boxes;
        newGame();
    }
    Engine.SysMode = click.sysMode;
    Engine.MenuMode = click.menuMode;
    Engine.WaitingForClick = click.waiting ? -1 : 0;
    Engine.ChoiceTargets.fill(7);
    Engine.SelectedChoice = 4;
    Engine.RoutineName = "rtb2";

    MessageScript boxes;
    switch (click.does) {
        case Does::QuitQuestion: boxes.expectQuitQuestion(MessageAnswer::No); break;
        case Does::NotReady: boxes.expect(kNotReadyMessage); break;
        case Does::Help:
            boxes.expectContaining(QStringLiteral("「Lanternwick.HLP」を開けません"));
            break;
        case Does::Version: boxes.expect(VersionBoxText()); break;
        default: break;
    }
    Command1_Click(click.button);

    const char* after = "start\r\r";
    if (click.does == Does::Next) after = "start\rwent on\r";
    if (click.does == Does::NewGame) after = "start\rstart\r";
    if (click.does == Does::Choice) after = "start\rseven\r";
    EXPECT_EQ(messageText(), QString::fromUtf8(after));

    uint8_t menuMode = click.menuMode;
    if (click.does == Does::Choice || click.does == Does::ReturnToGame) menuMode = click.sysMode;
    if (click.does == Does::NewGame || click.does == Does::OpenMenu) menuMode = kSystemMenuMode;
    EXPECT_EQ(Engine.MenuMode, menuMode);
    if (click.does == Does::Nothing || click.does == Does::OpenMenu ||
        click.does == Does::QuitQuestion) {
        EXPECT_EQ(Engine.WaitingForClick, click.waiting ? -1 : 0);
    }
    EXPECT_EQ(Engine.SelectedChoice, click.does == Does::Choice ? click.button : 4);
    EXPECT_EQ(Engine.SysMode, click.sysMode);  // no click changes the display mode
    EXPECT_EQ(Engine.ChoiceFlags[4], click.does == Does::Routine ? 0 : -1);
    if (click.does == Does::ReturnToGame) {
        EXPECT_EQ(Engine.WaitingForClick, 0);
        EXPECT_FALSE(button(kButtonTen).isVisible());
        EXPECT_EQ(button(kNextButton).caption(), "");
    }
    if (click.does == Does::OpenMenu) {
        // Button 9 leads back to the choice, live: no strikethrough.
        EXPECT_EQ(button(kNextButton).caption(), QStringLiteral("ゲームに戻る"));
        EXPECT_EQ(button(kNextButton).toolTip(), QStringLiteral("Return games"));
        EXPECT_FALSE(button(kNextButton).strikethrough());
    }
    EXPECT_FALSE(ProgramHasEnded());
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickTable, ::testing::ValuesIn(kClicks));

// ---- clicks during a run -------------------------------------------------------

TEST_F(SystemMenuTest, NextStrikesThroughWhileTheStoryRunsAndAStaleNextIsIgnored) {
    writeScenario({Label(1), Line("msg", "1"), Line("keywait"), Line("msg", "2"), Line("keywait"),
                   Line("msg", "3"), Line("keywait"), "_"});
    MessageScript boxes;
    button(kNextButton).setStrikethrough(true);
    newGame();
    EXPECT_FALSE(button(kNextButton).strikethrough());
    // Checked at the run's first yield, where a second Next is queued too; the
    // next wait clears the strikethrough again, and the queued Next finds no wait.
    bool struckDuringRun = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            struckDuringRun = button(kNextButton).strikethrough();
            Command1_Click(kNextButton);
        },
        Qt::QueuedConnection);
    next();
    EXPECT_TRUE(struckDuringRun);
    EXPECT_FALSE(button(kNextButton).strikethrough());
    EXPECT_EQ(messageText(), "1\r2\r");
}

}  // namespace

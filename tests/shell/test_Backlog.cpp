// The backlog: the rows the message window showed, in order, across New Game
// and the ending; the view that opens over a waiting story and takes every input.

#include <QAccessible>

#include "platform/Events.h"
#include "scenario/Ending.h"
#include "scenario/Modes.h"
#include "shell/ReaderComforts.h"
#include "shell/SystemMenu.h"
#include "support/GameFixture.h"
#include "support/WindowInput.h"

namespace {

QStringList LoggedRows() {
    const std::deque<QString>& rows = MainForm().comforts->messageRows.rows();
    return QStringList(rows.begin(), rows.end());
}

const BacklogView& View() { return MainForm().comforts->backlogView; }

TEST(MessageRowLog, AddsOnlyTheRowsThatCameUpOnScreen) {
    struct Step {
        const char* caption;
        QStringList added;
    };
    // clang-format off
    const Step steps[] = {
        {"a\r\r", {"a"}},            {"a\rb\r", {"b"}},          {"a\rb\rc", {"c"}},
        {"b\rc\rd", {"d"}},          {"c\rd\rd", {"d"}},         {"\r\r", {}},
        {"e\r\r", {"e"}},            {"e\r\r", {}},              {"e\r\rf", {"", "f"}},
        {"\rending\r", {"ending"}},  {"\rending\r", {}},         {"\rlast\r", {"last"}},
    };
    // clang-format on
    MessageRowLog log;
    QStringList expected;
    for (const Step& step : steps) {
        log.record(QString::fromUtf8(step.caption));
        expected += step.added;
        EXPECT_EQ(QStringList(log.rows().begin(), log.rows().end()), expected) << step.caption;
    }
    EXPECT_EQ(log.recorded(), expected.size());
    EXPECT_EQ(log.charactersSince(log.recorded() - 2), 10);  // "ending", "last"
}

TEST(MessageRowLog, KeepsTheNewestThousandRows) {
    MessageRowLog log;
    for (int i = 0; i < 1500; ++i)
        log.record(QStringLiteral("row %1\r\r").arg(i));
    ASSERT_EQ(log.rows().size(), size_t{MessageRowLog::kRowsKept});
    EXPECT_EQ(log.rows().front(), "row 500");
    EXPECT_EQ(log.rows().back(), "row 1499");
    EXPECT_EQ(log.recorded(), 1500);
}

class BacklogTest : public GameFixture {
  protected:
    MessageScript boxes_;  // any box fails the test instead of waiting on screen
};

// clang-format off
const QStringList kStory = {
    Label(1), Line("msg", "one"), Line("msg", "two"), Line("keywait"), Line("msg", "three"),
    Line("msg", "four"), Line("keywait"), Line("msgcls"), Line("msg", "five"), Line("pg", "rtb3"), "_"};
// clang-format on

TEST_F(BacklogTest, RowsAsShownAcrossNewGameAndTheEnding) {
    writeScenario(kStory);
    MainForm().window.showCentred();
    newGame();
    next();
    // New Game in the middle: the window keeps its rows, the new ones scroll in.
    Command1_Click(kNewGameButton);
    next();
    next();  // five, then the ending to the program's end
    ASSERT_TRUE(ProgramHasEnded());
    QStringList expected = {"one", "two", "three", "four", "one", "two", "three", "four", "five"};
    QStringList ending = EndingLines();
    ending.removeDuplicates();  // the closing line stays on screen: one row
    expected += ending;
    EXPECT_EQ(LoggedRows(), expected);
}

TEST_F(BacklogTest, OpensOverAWaitingStoryAndTakesEveryInputUntilItCloses) {
    writeScenario(kStory);
    MainForm().window.showCentred();
    PressKey(Qt::Key_PageUp);  // at the title the story does not wait
    EXPECT_FALSE(View().isOpen());
    newGame();
    next();
    const QString page = messageText();

    struct Opening {
        const char* name;
        void (*open)();
        void (*close)();
    };
    // clang-format off
    const Opening openings[] = {
        {"wheel", [] { WheelAt(DrawnCentre(MainForm().Label1), 120); },
                  [] { WheelAt(DrawnCentre(MainForm().Label1), -120); }},
        {"PageUp", [] { PressKey(Qt::Key_PageUp); }, [] { PressKey(Qt::Key_PageDown); }},
        {"Escape", [] { PressKey(Qt::Key_PageUp); }, [] { PressKey(Qt::Key_Escape); }},
        {"right click", [] { PressKey(Qt::Key_PageUp); },
                        [] { ClickAt(DrawnCentre(MainForm().Label1), Qt::RightButton); }},
        {"click on Next", [] { PressKey(Qt::Key_PageUp); },
                          [] { ClickAt(DrawnCentre(MainForm().Command1[kNextButton])); }},
    };
    // clang-format on
    for (const Opening& opening : openings) {
        opening.open();
        ASSERT_TRUE(View().isOpen()) << opening.name;
        EXPECT_EQ(View().rows(), QStringList({"one", "two", "three", "four"}));
        // Nothing reads on, nothing is pressed, the view stays.
        PressKey(Qt::Key_Return);
        PressKey(Qt::Key_Space);
        PressKey(Qt::Key_A);
        EXPECT_TRUE(View().isOpen()) << opening.name;
        EXPECT_FALSE(MainForm().comforts->autoReading.autoOn());
        opening.close();
        EXPECT_FALSE(View().isOpen()) << opening.name;
        EXPECT_EQ(messageText(), page) << opening.name;
        EXPECT_TRUE(MainForm().Command1[kNextButton].hasFocus()) << opening.name;
    }
}

TEST_F(BacklogTest, EachRowIsAnItemForScreenReaders) {
    writeScenario(kStory);
    MainForm().window.showCentred();
    newGame();
    MainForm().comforts->openBacklog();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(View().qwidget());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    QStringList read;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface* row = list->child(i);
        if (row->role() == QAccessible::ListItem) read << row->text(QAccessible::Name);
    }
    EXPECT_EQ(read, QStringList({"one", "two"}));
}

TEST_F(BacklogTest, UpArrowMovesTheFocusDuringAChoice) {
    // clang-format off
    writeScenario({Label(1), Line("msg", "pick"),
                   Line("nextbot", "00001 00001 00000 00000 00000 00000 00000 00000 00000 00000"),
                   Line("botcls"), Line("bottxt2", "0 A,a"), Line("bottxt2", "1 B,b"),
                   Line("botwait"), "_"});
    // clang-format on
    MainForm().window.showCentred();
    newGame();
    ASSERT_EQ(Engine.MenuMode, kChoiceMode);
    PressKey(Qt::Key_Up);
    EXPECT_FALSE(View().isOpen());
    QWidget* focused = MainWindowWidget()->focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->objectName().startsWith("Command1_"));
    PressKey(Qt::Key_PageUp);
    EXPECT_TRUE(View().isOpen());
    EXPECT_EQ(View().rows(), QStringList({"pick"}));
}

}  // namespace

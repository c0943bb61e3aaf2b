// The interpreter loop: label jumps, the line budget, dispatch, restarts, and the
// orderly stop on problems in the scenario file. One table of small stories.

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <vector>

#include "platform/TextFile.h"
#include "scenario/Modes.h"
#include "scenario/RunScenario.h"
#include "support/CoreFixture.h"
#include "support/TempFolder.h"

namespace {

struct Box {
    QString fragment;  // the box must contain it
    MessageAnswer answer = MessageAnswer::Ok;
};

Box Plain(const char16_t* text) { return {QString::fromUtf16(text)}; }
Box Quit(MessageAnswer answer) { return {QuitQuestion(), answer}; }
Box Unsupported(const QString& line) {
    return {QLatin1Char('\'') + line + QStringLiteral("' はｻﾎﾟｰﾄしていません!")};
}
// A scenario error: the line number, the line quoted, then the problem.
Box Error(int number, const QString& line, const QString& problem) {
    return {QStringLiteral("の %1 行目で問題が見つかりました。\n\n「%2」\n\n%3")
                .arg(number)
                .arg(line, problem)};
}

QStringList Comments(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("' filler %1").arg(i);
    return lines;
}

struct Story {
    const char* name;
    QStringList lines;  // none: no scenario file at all
    std::vector<Box> boxes;
    int nexts = 0;  // Next clicks after New Game
    QString text;   // the message window at the end
    int ends = 0;   // times the program ended
};
void PrintTo(const Story& story, std::ostream* os) { *os << story.name; }

const QString kEnd = QStringLiteral("_");
const QString kWait = Line("keywait");

// clang-format off
std::vector<Story> AllStories() {
    const Box searchFailed = Plain(kLabelSearchErrorMessage);
    const Box loopOut = Plain(kLoopOutMessage);
    const Box storyEnd = Plain(kScenarioEndMessage);
    const QString notANumber = QStringLiteral("「next」の行き先「oops」が数ではありません。");
    const auto missing = [](int label) {
        return QStringLiteral("行き先のラベル「_%1」がシナリオにありません").arg(label, 5, 10, QLatin1Char('0'));
    };
    const QStringList l1{Label(1)};
    const auto next = [](const char* to) { return Line("next", QString::fromUtf8(to)); };
    const auto msg = [](const char* text) { return Line("msg", QString::fromUtf8(text)); };
    return {
        // ---- label search and `next`
        {"NewGameStartsAfterLabelOne", {msg("before"), Label(1), msg("first"), kWait, kEnd}, {}, 0, "first\r\r"},
        {"FirstOfTwoEqualLabelsWins", {Label(1), next("7"), Label(7), msg("1st"), kWait, Label(7), msg("2nd"), kWait, kEnd}, {}, 0, "1st\r\r"},
        {"MissingLabelReadsToTheEndLineThenReportsTheAskingLine", {Label(1), next("12"), kEnd},
         {searchFailed, Quit(MessageAnswer::No), Error(2, next("12"), missing(12))}},
        {"MissingLabelAndYesEndsTheProgram", {Label(1), next("12"), kEnd}, {searchFailed, Quit(MessageAnswer::Yes)}, 0, "", 1},
        {"SearchReadsOnPastTheEndLineWhenQuitIsDeclined", {Label(1), next("3"), kEnd, Label(3), msg("late"), kWait},
         {searchFailed, Quit(MessageAnswer::No)}, 0, "late\r\r"},
        {"SearchWithoutAnEndLineReportsTheMissingLabel", {Label(1), next("9")}, {Error(2, next("9"), missing(9))}},
        {"NegativeLabelUsesTheLastFiveCharacters", {Label(1), next("-5"), "_000-5", msg("odd"), kWait, kEnd}, {}, 0, "odd\r\r"},
        {"NextZeroGoesOn", {Label(1), next("0"), msg("after"), kWait, kEnd}, {}, 0, "after\r\r"},
        {"NextFloorsFractions", {Label(1), next(" 2.9 "), Label(2), msg("two"), kWait, kEnd}, {}, 0, "two\r\r"},
        {"NextMinusOneEndsTheStoryAndAsksToQuit", {Label(1), next("-1"), msg("never"), kEnd},
         {storyEnd, Quit(MessageAnswer::Yes)}, 0, "", 1},
        {"NextClickGoesOnAfterTheWait", {Label(1), msg("one"), kWait, msg("two"), kWait, kEnd}, {}, 1, "one\rtwo\r"},
        // ---- line numbers after several jumps: every jump reads the file from the top
        {"ErrorAfterASecondJumpNamesItsLineInTheFile",
         {Label(1), next("3"), Label(2), next("oops"), Label(3), next("2"), kEnd}, {Error(4, next("oops"), notANumber)}},
        {"ErrorAfterAThirdJumpNamesItsLineInTheFile",
         {Label(1), next("3"), Label(2), next("4"), Label(3), next("2"), Label(4), msg("x"), next("oops"), kEnd},
         {Error(9, next("oops"), notANumber)}, 0, "x\r\r"},
        {"FailedSearchAfterAThirdJumpNamesTheAskingLine",
         {Label(1), next("3"), Label(2), next("9"), Label(3), next("2"), kEnd},
         {searchFailed, Quit(MessageAnswer::No), Error(4, next("9"), missing(9))}},
        // ---- the budget of 100 lines per run: comment lines count, label searches do not
        {"NinetyNineLinesThenAWaitIsFine", l1 + Comments(98) + QStringList{kWait, kEnd}},
        {"AHundredthLineThatWaitsStillLoopsOut", l1 + Comments(99) + QStringList{kWait, kEnd}, {loopOut}, 0, "", 1},
        {"ALoopToItselfCountsOnlyItsNextLines", {Label(1), next("2"), Label(2), next("2"), kEnd}, {loopOut}, 0, "", 1},
        {"PgAsTheHundredthLineLeavesWithoutLoopOut", l1 + Comments(99) + QStringList{Line("pg", "rtb1"), kEnd}},
        {"EachRunHasItsOwnBudget",
         l1 + Comments(90) + QStringList{kWait} + Comments(90) + QStringList{kWait} + Comments(90) +
             QStringList{msg("third"), kWait, kEnd}, {}, 2, "third\r\r"},
        // ---- dispatch
        {"TextCommandsDriveTheMessageWindow",
         {Label(1), msg("one"), msg("two"), Line("msgtop", "F"), msg("cls"), msg("G"), Line("msgcls"), msg("H"),
          msg("I"), Line("msgtop", "J"), kWait, kEnd}, {}, 0, "J\r\r"},
        {"CommentsAreSilentButABlankLineIsUnsupported", {Label(1), "'", "' a note", "", msg("shown"), kWait, kEnd},
         {Unsupported("")}, 0, "shown\r\r"},
        {"WordsAreComparedLowerCased", {Label(1), Line("MSG", "Hello"), Line("KeyWait"), kEnd}, {}, 0, "Hello\r\r"},
        {"AnUnpaddedWordIsUnsupportedAndTheRunGoesOn", {Label(1), "keywait", Label(4), msg("still"), kWait, kEnd},
         {Unsupported("keywait"), Unsupported(Label(4))}, 0, "still\r\r"},
        {"ShortRestOfLineIsAnEmptyArgument", {Label(1), msg("a"), "msg     ", "msg      ", msg("b"), kWait, kEnd},
         {}, 0, "\r\rb"},
        {"DoubleByteTextKeepsItsColumns",
         {Label(1), QStringLiteral("msg      灯りがともる。"), QStringLiteral("Msg      ｶﾀｶﾅ"), kWait, kEnd},
         {}, 0, QStringLiteral("灯りがともる。\rｶﾀｶﾅ\r")},
        // ---- orderly stops
        {"MissingScenarioFile", {}, {{QStringLiteral("シナリオファイルが見つからないか、読めません")}}},
        {"EndOfFileNamesTheLastLine", {Label(1), msg("the end is near")},
         {Error(2, msg("the end is near"), QStringLiteral("この行でシナリオファイルが終わって"))}, 0, "the end is near\r\r"},
        // ---- hostile files: no crash, no hang, a box that quotes only the start of a long line
        {"ALineOverTheBoundStopsTheRunNamingIt", {Label(1), QString(10 << 20, 'x'), kEnd},
         {{QStringLiteral("の 2 行目で問題が見つかりました。\n\n「") + QString(300, 'x') +
           QStringLiteral("…（以下 65236 文字略）」\n\nこの行は長すぎて読めません")}}},
        {"TheSearchPassesOverALongLine", {QString(10 << 20, 'x'), Label(1), msg("found"), kWait, kEnd}, {}, 0, "found\r\r"},
        {"ALongUnsupportedLineIsQuotedShort", {Label(1), QString(5000, 'y'), kWait, kEnd},
         {Unsupported(QString(300, 'y') + QStringLiteral("…（以下 4700 文字略）"))}},
        {"NulCharactersAreText", {Label(1), msg("a") + QChar(0) + "b", kWait, kEnd}, {}, 0, QStringLiteral("a") + QChar(0) + "b\r\r"},
        {"LabelZeroIsReadAsALineAndLabel99999CannotBeNamed",
         {Label(1), next("0"), Label(0), next("99999"), Label(99999), kEnd},
         {Unsupported(Label(0)), {QStringLiteral("「99999」は -32768 から 32767 の範囲を超えています")}}},
    };
}
// clang-format on

class Interpreter : public CoreFixture {};

class Stories : public Interpreter, public ::testing::WithParamInterface<Story> {};

TEST_P(Stories, Play) {
    const Story& story = GetParam();
    if (!story.lines.isEmpty()) writeScenario(story.lines);
    MessageScript boxes;
    for (const Box& box : story.boxes)
        boxes.expectContaining(box.fragment, box.answer);
    newGame();
    for (int i = 0; i < story.nexts; ++i)
        next();
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(messageText(), story.text);
    EXPECT_EQ(ProgramEndCount(), story.ends);
    EXPECT_FALSE(ScenarioRunning());
    // A story that stopped on a problem, or at a wait, takes no stale jump with it.
    if (story.ends == 0) {
        EXPECT_EQ(Engine.JumpLabel, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Stories, ::testing::ValuesIn(AllStories()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Interpreter, AnEmptyFileHasNoLabelOneAndAfterStoppedRunsNewGameStartsAgain) {
    writeFile("Lanternwick.dat", {});
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("行き先のラベル「_00001」がシナリオにありません"));
    newGame();
    EXPECT_TRUE(boxes.finished());

    // After a stopped run, New Game starts again.
    writeScenario({Label(1), Line("msg", "once"), Line("next", "-1"), kEnd});
    for (int game = 0; game < 2; ++game)
        boxes.expect(QString::fromUtf16(kScenarioEndMessage)).expectQuitQuestion(MessageAnswer::No);
    newGame();
    EXPECT_EQ(Engine.MenuMode, kSystemMenuMode);
    newGame();
    EXPECT_EQ(messageText(), "once\ronce\r");
    EXPECT_FALSE(ProgramHasEnded());
}

// The file goes away or changes while the story waits: the lines already read
// are played on, and the next jump reads the file as it is then.
TEST_F(Interpreter, TheScenarioFileDeletedOrReplacedBetweenTwoClicks) {
    const QStringList story{Label(1), Line("msg", "one"), kWait, Line("next", "2"),
                            Label(2), Line("msg", "two"), kWait, kEnd};
    writeScenario(story);
    newGame();
    ASSERT_TRUE(QFile::remove(dataDir() + "/Lanternwick.dat"));
    {
        MessageScript boxes;
        boxes.expectContaining(QStringLiteral("シナリオファイルが見つからないか、読めません"));
        next();
        EXPECT_TRUE(boxes.finished());
    }
    EXPECT_FALSE(ScenarioRunning());
    EXPECT_EQ(ProgramEndCount(), 0);

    writeScenario(story);
    newGame();
    writeScenario({Label(2), Line("msg", "new"), kWait, kEnd});
    next();
    EXPECT_EQ(messageText(), "one\rone\rnew");
}

// The scenario file is a game file: a link out of the folder is no scenario,
// and a file past the bound is searched only as far as the bound.
TEST_F(Interpreter, AScenarioLeadingOutIsMissingAndASearchStopsAtTheBound) {
    const TempFolder outside;
    const QString elsewhere = outside.write("Lanternwick.dat", ScenarioBytes({Label(1), kWait}));
    ASSERT_TRUE(QFile::link(elsewhere, dataDir() + "/Lanternwick.dat"));
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("シナリオファイルが見つからないか、読めません"));
    newGame();
    EXPECT_TRUE(boxes.finished());
    ASSERT_TRUE(QFile::remove(dataDir() + "/Lanternwick.dat"));

    // Zeros to the end of a sparse file, with no label 2 in them.
    writeScenario({Label(1), Line("next", "2")});
    ASSERT_EQ(truncate(QFile::encodeName(dataDir() + "/Lanternwick.dat").constData(),
                       kLongestTextFileBytes + 4096),
              0);
    boxes.expectContaining(
        QStringLiteral("シナリオファイルが長すぎて、ここから先は読めません（256 MB までです）"));
    newGame();
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(ProgramEndCount(), 0);
}

// New Game clicked while `msg` yields: the run starts over at label 1 with a
// fresh budget of 100 lines, however far the interrupted run had come.
TEST_F(Interpreter, RestartDuringAYieldGetsAFreshBudget) {
    writeScenario(QStringList{Label(1)} + Comments(50) + QStringList{Line("msg", "one")} +
                  Comments(47) + QStringList{kWait, kEnd});
    MessageScript boxes;
    int restarts = 0;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            ++restarts;
            EXPECT_TRUE(ScenarioRunning());
            newGame();
        },
        Qt::QueuedConnection);
    newGame();
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(ProgramEndCount(), 0);
    EXPECT_EQ(messageText(), "one\rone\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_FALSE(ScenarioRunning());
}

// ---- `sysmode`: the digit at the end of the line, and what `keywait` does in each mode

struct ModeRow {
    const char* argument;
    uint8_t mode;
    bool waits;           // WaitingForClick -1 after `keywait`
    bool nextOnButton9;   // button 9 loses its strikethrough
    bool nextOnButton10;  // button 10 comes back as "話を進める"
};
void PrintTo(const ModeRow& row, std::ostream* os) { *os << '"' << row.argument << '"'; }

class Sysmode : public Interpreter, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(Sysmode, SetsBothModesAndDecidesHowKeywaitWaits) {
    const ModeRow& row = GetParam();
    writeScenario({Label(1), Line("sysmode", QString::fromUtf8(row.argument)), Line("botcls"),
                   kWait, Line("msg", "went on"), kWait, kEnd});
    stage_.buttons[kNextButton].strikethrough = true;
    MessageScript boxes;
    newGame();
    EXPECT_EQ(Engine.SysMode, row.mode);
    EXPECT_EQ(Engine.MenuMode, row.mode);
    EXPECT_EQ(stage_.menuShown, 2);  // New Game's menu, then the one `sysmode` rebuilt
    EXPECT_EQ(Engine.WaitingForClick, row.waits ? -1 : 0);
    EXPECT_EQ(stage_.buttons[kNextButton].strikethrough, !row.nextOnButton9);
    const RecordedButton& ten = stage_.buttons[kButtonTen];
    EXPECT_EQ(ten.visible, row.nextOnButton10);
    EXPECT_EQ(ten.caption, row.nextOnButton10 ? kNextCaption : QString());
    EXPECT_EQ(ten.toolTip, row.nextOnButton10 ? kNextToolTip : QString());
    EXPECT_EQ(messageText(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Digits, Sysmode,
    ::testing::Values(ModeRow{"0", 0, true, true, false}, ModeRow{"1", 1, true, true, false},
                      ModeRow{"2", 2, true, true, false}, ModeRow{"3", 3, true, true, false},
                      ModeRow{"4", 4, true, true, false}, ModeRow{"5", 5, true, false, true},
                      ModeRow{"6", 6, false, false, false}, ModeRow{"7", 7, false, false, false},
                      ModeRow{"8", 8, false, false, false}, ModeRow{"9", 9, false, false, false},
                      ModeRow{"12", 2, true, true, false}, ModeRow{"x", 0, true, true, false},
                      ModeRow{"", 0, true, true, false}, ModeRow{"９", 0, true, true, false}));

}  // namespace

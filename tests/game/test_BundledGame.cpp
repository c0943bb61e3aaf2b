// The bundled game played end to end in-process: scripted clicks, a stepped
// clock, scripted answers. Any message box not in the script (an unsupported
// line, a scenario error, a loop-out) fails the test.

#include <QDir>
#include <QFile>

#include <deque>

#include "ScenarioChecker.h"
#include "platform/FileLookup.h"
#include "scenario/Ending.h"
#include "support/GameFixture.h"

namespace {

// The hub's choices (buttons of the square at label 10).
enum Hub { Storehouse = 0, OilShop, ClockTower, NorthWoods, SotasHome, BlowOut = 6, Finale = 8 };

// A stepped clock that notes what the message window shows whenever the game
// sleeps: the ending's lines are on screen exactly while it waits.
class WatchingClock : public SteppedClock {
  public:
    void sleepFor(int ms) override {
        if (MainFormExists()) {
            const QString shown = MainForm().Label1.text();
            if (seen.isEmpty() || seen.back() != shown) seen << shown;
        }
        SteppedClock::sleepFor(ms);
    }
    QStringList seen;
};

class BundledGame : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetClock(&watch_);
        const QDir game(QStringLiteral(LANTERNWICK_GAME_DIR));
        for (const QString& name : game.entryList(QDir::Files)) {
            ASSERT_TRUE(QFile::copy(game.filePath(name), QDir(dataDir()).filePath(name)))
                << name.toStdString();
        }
    }

    // Plays until the story halts or the program ends: Next at every wait, the
    // next button of `choices` at every choice, time stepped through animations,
    // music and voices.
    void play(std::deque<int> choices) {
        MainForm().Command1[2].click();  // 最初から遊ぶ
        for (int step = 0; step < 5000 && !ProgramHasEnded(); ++step) {
            if (MainForm().Animer1.interval() > 0) {
                watch_.advance(100);
                continue;
            }
            if (Engine.WaitingForClick != -1) break;  // halted, or the story is over
            watch_.advance(400);                      // the player reads
            if (Engine.MenuMode == 1) {
                ASSERT_FALSE(choices.empty()) << "a choice came that the plan does not have";
                const int button = choices.front();
                choices.pop_front();
                ASSERT_TRUE(MainForm().Command1[button].isVisible())
                    << "choice " << button << " is not offered";
                MainForm().Command1[button].click();
            } else {
                MainForm().Command1[Engine.SysMode == 5 ? 10 : 9].click();
            }
        }
        EXPECT_TRUE(choices.empty()) << choices.size() << " planned choices were not asked for";
    }

    // The ending's lines, each alone in the middle row, in order; then the end.
    void expectEnding(const QString& closingLine) {
        EXPECT_EQ(ProgramEndCount(), 1);
        EXPECT_EQ(MainForm().Label1.text(), QLatin1Char('\r') + closingLine + QLatin1Char('\r'));
        QStringList expected;
        for (const QString& line : EndingLines()) {
            const QString shown = QLatin1Char('\r') + line + QLatin1Char('\r');
            if (expected.isEmpty() || expected.back() != shown) expected << shown;
        }
        const qsizetype start = watch_.seen.indexOf(expected.front());
        ASSERT_GE(start, 0) << "the ending never showed its first line";
        EXPECT_EQ(watch_.seen.mid(start), expected);
    }

    WatchingClock watch_;
};

// The paths to the two endings: the choices taken, and the closing line.
struct Path {
    const char* name;
    std::deque<int> choices;
    const char16_t* closing;
};
void PrintTo(const Path& path, std::ostream* os) { *os << path.name; }

class Endings : public BundledGame, public ::testing::WithParamInterface<Path> {};

TEST_P(Endings, PlayToTheirClosingLine) {
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No);  // asked in the story, at the lantern
    play(GetParam().choices);
    expectEnding(QString::fromUtf16(GetParam().closing));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Endings,
    ::testing::Values(
        Path{"EveryPlaceThenTheFinale",
             {0, Storehouse, OilShop, ClockTower, 1, NorthWoods, 1, SotasHome, Finale},
             u"　Ｈａｐｐｙ　Ｅｎｄ。。。☆"},
        Path{"BlowingTheFlameOut", {0, BlowOut, Finale}, u"　Ｎｏｒｍａｌ　Ｅｎｄ．．．"},
        Path{"TheCandleLeadsBackToTheLantern", {1, Finale}, u"　Ｈａｐｐｙ　Ｅｎｄ。。。☆"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BundledGame, TheRoofIsGameOver) {
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No)
        .expect(QStringLiteral("シナリオ正常終了"))
        .expectQuitQuestion(MessageAnswer::Yes);
    play({0, ClockTower, 0});
    EXPECT_EQ(ProgramEndCount(), 1);
}

TEST_F(BundledGame, DeepInTheWoodsTheStoryHaltsUntilNewGame) {
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No);
    play({0, NorthWoods, 0});
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_EQ(Engine.WaitingForClick, 0);
    EXPECT_EQ(MainForm().Command1[2].caption(), QStringLiteral("最初から遊ぶ"));
    // Only New Game goes on; the woods stay taken (choices are marked per run).
    boxes.expectQuitQuestion(MessageAnswer::No);
    play({0, Finale});
    expectEnding(QStringLiteral("　Ｈａｐｐｙ　Ｅｎｄ。。。☆"));
}

// Every picture, wave and help file the scenario names is in game/, spelt with
// the same case (the checker warns about a name found only in another case).
TEST(BundledGameFiles, EveryNamedFileIsThereAsWritten) {
    const CheckReport report = CheckScenario(QStringLiteral(LANTERNWICK_GAME_DIR));
    ASSERT_TRUE(report.readable);
    for (const Finding& finding : report.findings)
        ADD_FAILURE() << FormatFinding(finding).toStdString();
    SetGameFolder(QStringLiteral(LANTERNWICK_GAME_DIR));
    for (const char* name : {"/Title.JPG", "/Lanternwick.HLP", "/loop101s.wav"})
        EXPECT_EQ(FindFile(QStringLiteral(LANTERNWICK_GAME_DIR) + name), FileMatch::Exact) << name;
    SetGameFolder(QString());
}

}  // namespace

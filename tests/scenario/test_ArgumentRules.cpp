// Lines whose argument the player cannot take: each is reported with its line
// number, the line and what is wrong, and the run stops there with nothing
// started. One row per problem, for every command that has one.

#include "platform/Timer.h"
#include "scenario/RunScenario.h"
#include "support/CoreFixture.h"

namespace {

struct BadLine {
    const char* line;
    const char* problem;  // the start of what the message says is wrong
};
void PrintTo(const BadLine& row, std::ostream* os) { *os << row.line; }

class BadLines : public CoreFixture, public ::testing::WithParamInterface<BadLine> {};

TEST_P(BadLines, AreReportedWithTheirLineAndStopTheRun) {
    writeFile("f0.png", "a picture");
    const QString bad = QString::fromUtf8(GetParam().line);
    writeScenario(
        {Label(1), Line("msg", "before"), bad, Line("msg", "after"), Line("keywait"), "_"});
    MessageScript boxes;
    boxes.expectContaining(QStringLiteral("の 3 行目で問題が見つかりました。\n\n「%1」\n\n%2")
                               .arg(bad, QString::fromUtf8(GetParam().problem)));
    newGame();
    EXPECT_EQ(messageText(), "before\r\r");
    EXPECT_EQ(Engine.WaitingForClick, 0);
    EXPECT_EQ(stage_.animer1.interval(), 0);
    EXPECT_EQ(Engine.CircleParams[0], 0);
    EXPECT_FALSE(ScenarioRunning());
    EXPECT_FALSE(ProgramHasEnded());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, BadLines, ::testing::Values(
    BadLine{"next     ", "「next」の行き先のラベル番号がありません"},
    BadLine{"next        ", "「next」の行き先のラベル番号がありません"},
    BadLine{"next     abc", "「next」の行き先「abc」が数ではありません"},
    BadLine{"next     12x", "「next」の行き先「12x」が数ではありません"},
    BadLine{"next     32768", "「next」の行き先「32768」は -32768 から 32767 の範囲を超えています"},
    BadLine{"next     -32769", "「next」の行き先「-32769」は -32768 から 32767 の範囲を超えています"},
    BadLine{"bottxt2  b Eleven,tip", "「bottxt2」のボタン番号「b」のボタンはありません"},
    BadLine{"botpic   F pic.png,tip", "「botpic」のボタン番号「F」のボタンはありません"},
    BadLine{"bottxt2  1 no comma here", "「,」がありません"},
    BadLine{"bottxt2  1,early", "「,」がありません"},
    BadLine{"botpic   1 missing.png,tip", "ボタンの絵「missing.png」が見つからないか"},
    BadLine{"nextbot  00012 00015", "「nextbot」の 3 番目の行き先（22 文字目から 5 文字）がありません"},
    BadLine{"nextbot  00012 00015 00000 00000 00000 00000 00000 00000 00000      ",
            "「nextbot」の 10 番目の行き先（64 文字目から 5 文字）がありません"},
    BadLine{"nextbot  00012 0001x 00000 00000 00000 00000 00000 00000 00000 00000",
            "「nextbot」の 2 番目の行き先（16 文字目から 5 文字）「0001x」がラベル番号として読めません"},
    BadLine{"nextbot  00012 40000 00000 00000 00000 00000 00000 00000 00000 00000",
            "「nextbot」の 2 番目の行き先（16 文字目から 5 文字）「40000」がラベル番号として読めません"},
    BadLine{"cg       nothere", "絵のファイル「nothere.JPG」が見つからないか"},
    BadLine{"circle   1 0240 0179 1e99", "「circle」の半径（22 文字目から 4 文字）「1e99」が大きすぎます"},
    BadLine{"anime    f0.png", "「anime」のコマは 1～15 個です"},
    BadLine{"anime    f0.png      f0.png      f0.png      f0.png      f0.png      f0.png      "
            "f0.png      f0.png      f0.png      f0.png      f0.png      f0.png      f0.png      "
            "f0.png      f0.png      f0.png      ", "「anime」のコマは 1～15 個です"},
    BadLine{"anime    f0.png      f1.png      ", "絵のファイル「f1.png」が見つからないか"},
    BadLine{"anime3   strip.png   -1", "「anime3」の最後のコマ番号（22 文字目から 2 文字）が負の数です"},
    BadLine{"anime3   nostrip.png 02", "絵のファイル「nostrip.png」が見つからないか"}));
// clang-format on

}  // namespace

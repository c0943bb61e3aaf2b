// The scenario checker: one scenario file per kind of problem, each finding
// asserted with its exact line and message.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ScenarioChecker.h"

namespace {

struct Picture {
    const char* name;
    int width, height;
};

struct Row {
    const char* file;                   // under tests/data/checker
    std::vector<Picture> pictures;      // made in the game folder
    std::vector<const char*> files;     // other files, made empty
    std::vector<const char*> expected;  // the report, in order
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.file; }

class Checker : public ::testing::TestWithParam<Row> {
  protected:
    QString prepare(const Row& row) {
        const QString source =
            QStringLiteral(LANTERNWICK_TEST_DATA "/checker/") + QString::fromUtf8(row.file);
        EXPECT_TRUE(QFile::copy(source, dir_.filePath("Lanternwick.dat"))) << source.toStdString();
        for (const Picture& p : row.pictures) {
            QImage image(p.width, p.height, QImage::Format_RGB32);
            image.fill(Qt::gray);
            EXPECT_TRUE(image.save(dir_.filePath(QString::fromUtf8(p.name)))) << p.name;
        }
        for (const char* name : row.files) {
            QFile f(dir_.filePath(QString::fromUtf8(name)));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        }
        return dir_.path();
    }
    QTemporaryDir dir_;
};

TEST_P(Checker, ReportsEveryProblemAtItsLine) {
    const Row& row = GetParam();
    const CheckReport report = CheckScenario(prepare(row));
    ASSERT_TRUE(report.readable);
    QStringList got;
    for (const Finding& f : report.findings)
        got << FormatFinding(f);
    QStringList expected;
    for (const char* line : row.expected)
        expected << QString::fromUtf8(line);
    EXPECT_EQ(got, expected);
}

const Row kRows[] = {
    Row{"clean.dat", {}, {}, {}},
    Row{"unsupported.dat",
        {},
        {},
        {
            "Lanternwick.dat:4: error: 空行です。プレイヤーは「'' "
            "はｻﾎﾟｰﾄしていません!」と表示します。行を消すか、コメントなら「'」で始めてください。",
            "Lanternwick.dat:5: error: 命令「keywait」は 8 文字目まで空白で埋め、引数は 10 "
            "文字目から書いてください。プレイヤーは「'keywait' "
            "はｻﾎﾟｰﾄしていません!」と表示します。",
            "Lanternwick.dat:6: error: 「msgg」という命令はありません。プレイヤーは「'msgg     "
            "typo' はｻﾎﾟｰﾄしていません!」と表示します。",
            "Lanternwick.dat:8: error: "
            "前の行からそのまま読み進むと、このラベル行はプレイヤーに「はｻﾎﾟｰﾄしていません!"
            "」と言われます。前で next などで飛ぶか、止めてください。",
            "Lanternwick.dat:9: error: 「_」で始まる行ですが、ラベル（「_」と数字 5 "
            "文字）でも終了行（「_」だけ）でもありません。プレイヤーは「'_abc' "
            "はｻﾎﾟｰﾄしていません!」と表示します。",
        }},
    Row{"labels.dat",
        {},
        {},
        {
            "Lanternwick.dat:3: error: "
            "行き先のラベル「_00012」がありません（探すと「シナリオエラー！！」になります）。",
            "Lanternwick.dat:5: error: 2 番目の行き先のラベル「_00007」は終了行「_」（12 "
            "行目）の後にしかないので、探す途中で「シナリオエラー！！」になります。",
            "Lanternwick.dat:10: warning: ラベル「_00002」は 4 "
            "行目にもあります。飛ぶと必ず先の方に着くので、この行には着きません。",
            "Lanternwick.dat:13: error: ラベル「_00007」が終了行「_」（12 "
            "行目）の後にあります。ここへ飛ぶと、探す途中で「シナリオエラー！！」になります。",
        }},
    Row{"missing_end.dat",
        {},
        {},
        {
            "Lanternwick.dat:4: error: "
            "終了行「_」がありません。ファイルの最後の行は「_」だけにしてください。",
        }},
    Row{"arguments.dat",
        {{"frame00.JPG", 480, 358}, {"frame01.JPG", 480, 358}},
        {},
        {
            "Lanternwick.dat:3: error: 「next」の行き先のラベル番号がありません。10 "
            "文字目から番号を書いてください。",
            "Lanternwick.dat:4: error: 「next」の行き先「abc」が数ではありません。",
            "Lanternwick.dat:5: error: 「next」の行き先「40000」は -32768 から 32767 "
            "の範囲を超えています。",
            "Lanternwick.dat:6: error: 「nextbot」の 3 番目の行き先（22 文字目から 5 "
            "文字）がありません。10 個の行き先をすべて書いてください（行き先のないボタンは "
            "00000）。",
            "Lanternwick.dat:7: error: 「,」がありません。ボタン番号の後、12 "
            "文字目からの文字とツールチップの間を「,」で区切ってください。",
            "Lanternwick.dat:8: error: 「,」がありません。ボタン番号の後、12 "
            "文字目からの文字とツールチップの間を「,」で区切ってください。",
            "Lanternwick.dat:9: error: "
            "「bottxt2」のボタン番号「b」のボタンはありません。使えるのは 0～9 と a（10 番）です。",
            "Lanternwick.dat:10: error: 「anime」のコマは 1～15 個です（10 "
            "文字目から、ファイル名を空白で 12 文字にそろえて並べます）。この行は 5 文字で 0 "
            "コマです。",
            "Lanternwick.dat:11: warning: 最後の 6 文字はファイル名の欄（12 "
            "文字）に足りないので、そのコマは再生されません。名前を空白で 12 "
            "文字にそろえてください。",
            "Lanternwick.dat:12: error: 「anime3」の最後のコマ番号（22 文字目から 2 "
            "文字）が負の数です。",
            "Lanternwick.dat:13: error: 「circle」の半径（22 文字目から 4 "
            "文字）「1e99」が大きすぎます。-32768 から 32767 までにしてください。",
        }},
    Row{"files.dat",
        {{"room.JPG", 480, 358},
         {"Hall.JPG", 480, 358},
         {"wide.png", 600, 358},
         {"frame00.JPG", 480, 358},
         {"strip.JPG", 480, 1080},
         {"extra.JPG", 480, 358},
         {"door.png", 100, 30}},
        {"voice.wav", "voice2.wav"},
        {
            "Lanternwick.dat:4: warning: "
            "絵のファイル「hall.jpg」は「Hall."
            "JPG」という名前でしかありません。プレイヤーは見つけますが、大文字と小文字を区別する所"
            "へ写すと見つかりません。",
            "Lanternwick.dat:5: warning: 絵「wide.png」は 600x358 です。この命令の絵は 480x358 "
            "で描いてください。",
            "Lanternwick.dat:6: error: 絵のファイル「missing.png」がありません。",
            "Lanternwick.dat:7: error: 絵のファイル「nothere.JPG」がありません。",
            "Lanternwick.dat:8: error: 「anime3」の絵「strip.JPG」は高さ 1080 ピクセルで、4 "
            "コマ（高さ 1440）に足りません。",
            "Lanternwick.dat:8: warning: 絵「extra.JPG」は 480x358 です。この命令の絵は 480x360 "
            "で描いてください。",
            "Lanternwick.dat:10: error: 絵のファイル「nodoor.png」がありません。",
            "Lanternwick.dat:12: warning: "
            "音のファイル「Voice2.wav」は「voice2."
            "wav」という名前でしかありません。プレイヤーは見つけますが、大文字と小文字を区別する所"
            "へ写すと見つかりません。",
            "Lanternwick.dat:13: error: 音のファイル「nomusic.wav」がありません。",
            "Lanternwick.dat:14: error: ファイル名「two "
            "words.wav」に空白があります。空白のある名前の音は開けません。",
        }},
    Row{"names.dat",
        {},
        {},
        {
            "Lanternwick.dat:3: error: "
            "声のファイル名「voice."
            "WAV」の最後が小文字の「v」ではありません。音楽が鳴っていないときは「音声エラー」でゲー"
            "ムが終わります。",
            "Lanternwick.dat:4: warning: "
            "ファイル名「theme.mp3」の最後が小文字の「v」ではないので、何も鳴りません。",
            "Lanternwick.dat:6: error: 組み込みルーチン「rtb2 "
            "」はありません（render、rtb1、rtb2、rtb3 "
            "のどれか。後ろの空白も名前に入ります）。プレイヤーは「rtb2 "
            ":PG命令の動作不正！強制終了します。」と表示して終わります。",
            "Lanternwick.dat:7: error: "
            "組み込みルーチン「rtb9」はありません（render、rtb1、rtb2、rtb3 "
            "のどれか。後ろの空白も名前に入ります）。プレイヤーは「rtb9:"
            "PG命令の動作不正！強制終了します。」と表示して終わります。",
        }},
    Row{"loopout.dat",
        {},
        {},
        {
            "Lanternwick.dat:5: error: "
            "ここから読み始めると、待つ命令（keywait、botwait、anime、anime3、botrpg）なしに 100 "
            "行を読むので、プレイヤーは「ｼﾅﾘｵﾙｰﾌﾟｱｳﾄ!」で終わります。",
            "Lanternwick.dat:105: error: "
            "前の行からそのまま読み進むと、このラベル行はプレイヤーに「はｻﾎﾟｰﾄしていません!"
            "」と言われます。前で next などで飛ぶか、止めてください。",
            "Lanternwick.dat:105: error: "
            "ここから読み始めると、待つ命令（keywait、botwait、anime、anime3、botrpg）なしに 100 "
            "行を読むので、プレイヤーは「ｼﾅﾘｵﾙｰﾌﾟｱｳﾄ!」で終わります。",
            "Lanternwick.dat:106: error: "
            "ここから読み始めると、待つ命令（keywait、botwait、anime、anime3、botrpg）なしに 100 "
            "行を読むので、プレイヤーは「ｼﾅﾘｵﾙｰﾌﾟｱｳﾄ!」で終わります。",
        }},
    Row{"width.dat",
        {},
        {},
        {
            "Lanternwick.dat:4: warning: 文が長すぎます（621 ピクセル、メッセージウィンドウの 1 "
            "行は 484 ピクセル）。折り返して次の行にはみ出すか、下が切れます。",
            "Lanternwick.dat:5: warning: 文が長すぎます（512 ピクセル、メッセージウィンドウの 1 "
            "行は 484 ピクセル）。折り返して次の行にはみ出すか、下が切れます。",
        }},
};

INSTANTIATE_TEST_SUITE_P(Files, Checker, ::testing::ValuesIn(kRows), [](const auto& info) {
    return QString::fromUtf8(info.param.file).section('.', 0, 0).toStdString();
});

}  // namespace

namespace {

class CheckerGraph : public ::testing::Test {
  protected:
    QTemporaryDir dir_;
};

TEST_F(CheckerGraph, LabelsChoicesAndEndingsBecomeNodesAndEdges) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(LANTERNWICK_TEST_DATA "/checker/clean.dat"),
                            dir_.filePath("Lanternwick.dat")));
    const QString dot = StoryGraph(dir_.path());
    EXPECT_TRUE(dot.startsWith("digraph story {"));
    EXPECT_TRUE(dot.contains("start -> L1;"));
    EXPECT_TRUE(dot.contains("L1 -> L2 [label=\"Left\"];"));
    EXPECT_TRUE(dot.contains("L1 -> L3 [label=\"Right\"];"));
    EXPECT_TRUE(dot.contains("L2 -> L3 [label=\"next\"];"));
    EXPECT_TRUE(dot.contains("L3 -> ending;"));
    EXPECT_TRUE(
        dot.contains(QStringLiteral("ending [label=\"エンディング (rtb3)\", shape=doubleoctagon")));
    EXPECT_TRUE(dot.trimmed().endsWith("}"));
}

TEST_F(CheckerGraph, UnreadableScenarioIsReportedAsSuch) {
    EXPECT_FALSE(CheckScenario(dir_.path()).readable);
    EXPECT_EQ(StoryGraph(dir_.path()), "");
}

TEST(CheckerProgram, ExitStatusTellsCleanFromFaultyFromUnreadable) {
    QTemporaryDir dir;
    auto run = [&](const char* file) {
        QFile::remove(dir.filePath("Lanternwick.dat"));
        if (file)
            QFile::copy(QStringLiteral(LANTERNWICK_TEST_DATA "/checker/") + file,
                        dir.filePath("Lanternwick.dat"));
        QProcess checker;
        checker.start(LANTERNWICK_CHECKER_BINARY,
                      {dir.path(), "--graph", dir.filePath("story.dot")});
        checker.waitForFinished(60000);
        return std::make_pair(checker.exitCode(),
                              QString::fromUtf8(checker.readAllStandardOutput()));
    };
    const auto clean = run("clean.dat");
    EXPECT_EQ(clean.first, 0);
    EXPECT_EQ(clean.second, "0 error(s), 0 warning(s)\n");
    EXPECT_TRUE(QFile::exists(dir.filePath("story.dot")));
    const auto faulty = run("names.dat");
    EXPECT_EQ(faulty.first, 1);
    EXPECT_TRUE(faulty.second.endsWith("3 error(s), 1 warning(s)\n"));
    EXPECT_EQ(run(nullptr).first, 2);
}

TEST(CheckerProgram, BundledGameChecksClean) {
    const CheckReport report = CheckScenario(QStringLiteral(LANTERNWICK_GAME_DIR));
    ASSERT_TRUE(report.readable);
    QStringList findings;
    for (const Finding& f : report.findings)
        findings << FormatFinding(f);
    EXPECT_EQ(findings, QStringList());
}

}  // namespace

// The scenario checker: one scenario file per kind of problem, each finding
// asserted with its exact line, column, severity and code.

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include "ScenarioChecker.h"
#include "scenario/ArgumentRules.h"
#include "scenario/CommandTable.h"

#include <sys/stat.h>

#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "support/GameFixture.h"
#include "support/WaveFiles.h"

namespace {

struct Picture {
    const char* name;
    int width, height;
};

struct Row {
    const char* file;                // under tests/data/checker
    QStringList expected;            // "LINE:COLUMN severity code", in order
    std::vector<Picture> pictures;   // made in the game folder
    std::vector<const char*> files;  // other files, made empty (waves: short and sound)
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.file; }

QString DataFile(const char* name) {
    return QStringLiteral(LANTERNWICK_TEST_DATA "/checker/") + QString::fromUtf8(name);
}

QString Brief(const Finding& f) {
    static const char* const kSeverity[] = {"error", "warning", "note"};
    const QString where =
        f.column > 0 ? QStringLiteral("%1:%2").arg(f.line).arg(f.column) : QString::number(f.line);
    return QStringLiteral("%1 %2 %3")
        .arg(where, QLatin1String(kSeverity[static_cast<int>(f.severity)]), f.code);
}

// The files every game folder holds besides its scenario: the title picture,
// the title music and the help file.
void WriteGameFiles(const TempFolder& dir) {
    EXPECT_TRUE(WritePicture(dir.filePath("Title.JPG"), 480, 358, 0x000080));
    EXPECT_TRUE(WriteWave(dir.filePath("loop101s.wav"), 22050, 1, WaveEncoding::Pcm16, Ramp(100)));
    EXPECT_FALSE(dir.write("Lanternwick.HLP", "<p>help</p>").isEmpty());
}

// What the checker finds in `folder`, briefly, in order.
QStringList Briefs(const QString& folder) {
    const CheckReport report = CheckScenario(folder);
    QStringList got;
    if (!report.readable) got << "unreadable";
    for (const Finding& f : report.findings)
        got << Brief(f);
    return got;
}

class Checker : public ::testing::TestWithParam<Row> {
  protected:
    QString prepare(const Row& row) {
        WriteGameFiles(dir_);
        EXPECT_TRUE(QFile::copy(DataFile(row.file), dir_.filePath("Lanternwick.dat")));
        for (const Picture& p : row.pictures) {
            EXPECT_TRUE(
                WritePicture(dir_.filePath(QString::fromUtf8(p.name)), p.width, p.height, 0xa0a0a4))
                << p.name;
        }
        for (const char* name : row.files) {
            const QString path = dir_.filePath(QString::fromUtf8(name));
            if (path.endsWith(".wav")) {
                EXPECT_TRUE(WriteWave(path, 22050, 1, WaveEncoding::Pcm16, Ramp(100)));
                continue;
            }
            EXPECT_FALSE(dir_.write(QString::fromUtf8(name)).isEmpty());
        }
        return dir_.path();
    }
    TempFolder dir_;
};

TEST_P(Checker, ReportsEveryProblemAtItsLineAndColumn) {
    EXPECT_EQ(Briefs(prepare(GetParam())), GetParam().expected);
}

// clang-format off
const Row kRows[] = {
    {"clean.dat", {}},
    {"unsupported.dat",
     {"4:1 error blank-line", "5:1 error word-padding", "6:1 error unknown-command",
      "8:1 warning unreached-label", "8:1 error read-into-label", "9:1 error bad-label-line"}},
    {"labels.dat",
     {"3:10 error missing-label", "4:1 warning unreached-label", "5:16 error missing-label",
      "10:1 warning duplicate-label", "13:1 error label-after-end"}},
    {"missing_end.dat", {"4:1 error missing-end"}},
    {"no_start.dat", {"1:1 error no-start", "2:1 warning unreached-label"}},
    {"arguments.dat",
     {"3:10 error bad-argument", "4:10 error bad-argument", "5:10 error bad-argument",
      "6:22 error bad-argument", "7:12 error bad-argument", "8:12 error bad-argument",
      "9:10 error bad-argument", "10:10 error bad-argument", "11:34 warning anime-partial",
      "12:22 error bad-argument", "13:22 error bad-argument"},
     {{"frame00.JPG", 480, 358}, {"frame01.JPG", 480, 358}}},
    {"files.dat",
     {"4:10 warning file-case", "5:10 warning picture-size", "6:10 error missing-file",
      "7:22 error missing-file", "8:10 warning strip-short", "8:25 warning picture-size",
      "10:12 error missing-file", "11:1 warning voice-under-music",
      "12:1 warning voice-under-music", "12:10 warning file-case", "13:10 error missing-file",
      "14:13 error wave-blank", "15:10 error not-picture", "16:10 warning strip-size"},
     {{"room.JPG", 480, 358}, {"Hall.JPG", 480, 358}, {"wide.png", 600, 358}, {"frame00.JPG", 480, 358},
      {"strip.JPG", 480, 1080}, {"extra.JPG", 480, 358}, {"door.png", 100, 30}, {"odd.png", 500, 360}},
     {"voice.wav", "voice2.wav", "notes.txt"}},
    {"names.dat",
     {"3:1 warning voice-under-music", "3:10 error voice-name", "4:10 warning wave-name",
      "6:10 error unknown-routine", "7:10 error unknown-routine"}},
    {"loopout.dat",
     {"5:1 error loop-out", "104 note loop-out", "105:1 error read-into-label",
      "105:1 error loop-out", "106 note loop-out"}},
    {"width.dat", {"4:10 warning message-width", "5:10 warning message-width"}},
    {"buttons.dat",
     {"4:12 warning caption-width", "5:17 warning tooltip-width", "6:1 warning buttons-not-cleared",
      "7:1 error read-into-label", "8:12 warning not-number", "9:22 warning not-number",
      "10:10 warning not-number"},
     {{"strip.JPG", 480, 360}}},
    {"voice.dat", {"13:1 warning under-one-shot", "15:1 warning under-one-shot"}, {}, {"jingle.wav", "voice.wav"}},
    {"unreached.dat",
     {"6:1 warning unreached-label", "9:1 warning unreached-label", "9:1 error read-into-label",
      "12:1 error read-into-label", "12:1 error off-end"}},
    {"utf8.dat", {"3:10 error encoding"}},
    {"shiftjis.dat", {"3:12 error encoding"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Files, Checker, ::testing::ValuesIn(kRows), [](const auto& info) {
    return QString::fromUtf8(info.param.file).section('.', 0, 0).toStdString();
});

// What the player refuses is refused here too: names leading out of the folder,
// special files, pictures and waves the player's own loaders do not take, a line
// over the reader's bound. The line after the long one still has its number.
TEST(CheckerHostileFolder, RefusesWhatThePlayerRefuses) {
    const TempFolder dir;
    const TempFolder outside;
    WriteGameFiles(dir);
    QFile::link(outside.write("far.JPG"), dir.filePath("link.JPG"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.JPG")).constData(), 0600), 0);
    dir.write("empty.wav");
    dir.write("bomb.JPG", QByteArray("BM") + QByteArray(16, '\0') +
                              QByteArray("\xe8\xfd\0\0\xe8\xfd\0\0\1\0\x18", 11) +
                              QByteArray(25, '\0'));
    dir.write("Lanternwick.dat",
              "_00001\r\ncg       ../" + QFileInfo(outside.path()).fileName().toUtf8() +
                  "/far.JPG\r\ncg       " + QFile::encodeName(outside.filePath("far.JPG")) +
                  "\r\ncg       link.JPG\r\ncg       pipe.JPG\r\ncg       bomb.JPG\r\n"
                  "bgm      empty.wav\r\n" +
                  QByteArray(kLongestLineBytes + 1, 'x') + "\r\nkeywait \r\nnext     -1\r\n_\r\n");
    EXPECT_EQ(Briefs(dir.path()), QStringList({"2:10 error missing-file", "3:10 error missing-file",
                                               "4:10 error missing-file", "5:10 error missing-file",
                                               "6:10 error not-picture", "7:10 error not-wave",
                                               "8:1 error long-line"}));
}

// A line of a fixed-column command written from the table: numeric fields hold
// numbers, the one to spoil x's, other fields f's.
QString LineFromTable(const Command& command, const Field* spoilt, std::vector<int>* written) {
    QString line = QString::fromLatin1(command.word) + QLatin1Char(' ');
    int k = 0;
    for (const Field& field : command.fields) {
        line = line.leftJustified(field.first - 1, QLatin1Char(' '));
        if (&field == spoilt) {
            line += QString(field.width, QLatin1Char('x'));
        } else if (field.numeric) {
            // A leading digit and zeros: read one column off, it is another number.
            const QString value = QString::number(k % 3 + 1) + QString(field.width - 1, '0');
            line += value;
            if (written) written->push_back(value.toInt());
        } else {
            line += QString(field.width, QLatin1Char('f'));
        }
        ++k;
    }
    return line;
}

// The table's columns are the ones the commands' argument rules read, and every
// numeric column, spoilt in turn, is pointed at by its own column.
TEST(CheckerFields, TableColumnsAreTheOnesTheCommandsReadAndEachIsPointedAt) {
    int compared = 0;
    for (const Command& command : CommandTable()) {
        for (const Field& spoilt : command.fields) {
            if (!spoilt.numeric) continue;
            const QString line = LineFromTable(command, &spoilt, nullptr);
            const TempFolder dir;
            WriteGameFiles(dir);
            dir.write("Lanternwick.dat",
                      ("_00001\r\n" + line + "\r\nbotrpg  \r\n_\r\n").toLatin1());
            const QStringList pointed =
                Briefs(dir.path())
                    .filter(QRegularExpression(QStringLiteral(" (not-number|bad-argument)$")));
            EXPECT_EQ(pointed.size(), 1) << line.toStdString();
            EXPECT_TRUE(pointed.value(0).startsWith(QStringLiteral("2:%1 ").arg(spoilt.first)))
                << line.toStdString() << " " << pointed.join(", ").toStdString();
        }
        std::vector<int> written, read;
        const ScenarioLine line{1, LineFromTable(command, nullptr, &written)};
        if (command.role == Role::ChoiceTargets) {
            if (auto targets = ChoiceTargetFields(line))
                read.assign(targets->begin(), targets->end());
        } else if (command.role == Role::Strip) {
            if (auto strip = StripAnimationArguments(line)) read = {strip->lastFrame};
        } else if (command.role == Role::Circle) {
            if (auto circle = CircleArguments(line)) read.assign(circle->begin(), circle->end());
        } else {
            continue;  // no fields, or fields the player never reads
        }
        EXPECT_EQ(read, written) << line.text.toStdString();
        ++compared;
    }
    EXPECT_EQ(compared, 3);
}

TEST(CheckerGraph, LabelsAsWrittenChoicesByTheirTextsOrToolTipsFaultsDashed) {
    const TempFolder dir;
    ASSERT_TRUE(QFile::copy(DataFile("clean.dat"), dir.filePath("Lanternwick.dat")));
    const QString dot = StoryGraph(dir.path());
    EXPECT_TRUE(dot.startsWith("digraph story {"));
    EXPECT_TRUE(dot.contains("start -> \"_00001\";"));
    EXPECT_TRUE(dot.contains("\"_00001\" -> \"_00002\" [label=\"Left\"];"));
    EXPECT_TRUE(dot.contains("\"_00002\" -> \"_00003\" [label=\"next\"];"));
    EXPECT_TRUE(dot.contains("\"_00003\" -> ending;"));

    QFile::remove(dir.filePath("Lanternwick.dat"));
    ASSERT_TRUE(QFile::copy(DataFile("labels.dat"), dir.filePath("Lanternwick.dat")));
    const QString faulty = StoryGraph(dir.path());
    EXPECT_TRUE(faulty.contains(
        QStringLiteral("\"_00012\" [label=\"_00012（ありません）\", color=red, fontcolor=red, "
                       "style=dashed];")));
    EXPECT_TRUE(faulty.contains("\"_00002\" [label=\"_00002\", color=red"));  // never reached
    // A label after the end line is never found: the label and the choice to it are faults.
    EXPECT_TRUE(faulty.contains(
        QStringLiteral("\"_00007\" [label=\"_00007（終了行の後）\", color=red, fontcolor=red, "
                       "style=dashed];")));
    EXPECT_TRUE(faulty.contains(
        "\"_00002\" -> \"_00007\" [label=\"two\", color=red, fontcolor=red, style=dashed];"));
    EXPECT_TRUE(faulty.contains(
        "\"_00001\" -> \"_00012\" [label=\"next\", color=red, fontcolor=red, style=dashed];"));

    // Picture choices are named by their tool tips.
    const QString game = StoryGraph(QStringLiteral(LANTERNWICK_GAME_DIR));
    EXPECT_TRUE(game.contains(QStringLiteral("[label=\"店の売りもののろうそく\"]")));
    EXPECT_FALSE(game.contains("btncndl.png"));
}

struct CheckerRun {
    int status;
    QString out, err;
};

CheckerRun RunChecker(const QStringList& args) {
    QProcess checker;
    checker.start(LANTERNWICK_CHECKER_BINARY, args);
    checker.waitForFinished(60000);
    return {checker.exitCode(), QString::fromUtf8(checker.readAllStandardOutput()),
            QString::fromUtf8(checker.readAllStandardError())};
}

TEST(CheckerProgram, NamesTheScenarioAsGivenInTextAndJsonAndTellsCleanByItsStatus) {
    const TempFolder dir;
    WriteGameFiles(dir);
    const QString file = dir.filePath("Lanternwick.dat");
    ASSERT_TRUE(QFile::copy(DataFile("names.dat"), file));

    const CheckerRun byFolder = RunChecker({dir.path()});
    EXPECT_EQ(byFolder.status, 1);
    EXPECT_TRUE(byFolder.out.startsWith(
        file + QStringLiteral(":3:1: warning: ここへ来る道のどこかで開いた音楽")));
    EXPECT_TRUE(byFolder.out.contains(
        file + QStringLiteral(":4:10: warning: ファイル名「theme.mp3」の最後が小文字の「v」ではない"
                              "ので、何も鳴りません。 [wave-name]\n")));
    EXPECT_TRUE(byFolder.out.endsWith("3 error(s), 2 warning(s)\n"));
    EXPECT_EQ(RunChecker({file}).out, byFolder.out);

    const CheckerRun json = RunChecker({"--format", "json", file});
    const QJsonArray all = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(all.size(), 5);
    const QJsonObject first = all[1].toObject();
    EXPECT_EQ(first["path"].toString(), file);
    EXPECT_EQ(first["line"].toInt(), 3);
    EXPECT_EQ(first["column"].toInt(), 10);
    EXPECT_EQ(first["severity"].toString(), "error");
    EXPECT_EQ(first["code"].toString(), "voice-name");
    EXPECT_TRUE(first["message"].toString().startsWith(QStringLiteral("声のファイル名")));

    // The exit status tells clean from unreadable and help.
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(RunChecker({dir.path()}).status, 2);
    ASSERT_TRUE(QFile::copy(DataFile("clean.dat"), file));
    const CheckerRun clean = RunChecker({dir.path(), "--graph=" + dir.filePath("story.dot")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "0 error(s), 0 warning(s)\n");
    EXPECT_TRUE(QFile::exists(dir.filePath("story.dot")));
    const CheckerRun help = RunChecker({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("usage: lanternwick-check"));
    EXPECT_EQ(RunChecker({"--bogus"}).status, 2);
    EXPECT_EQ(RunChecker({"--format=xml"}).status, 2);
    const CheckerRun version = RunChecker({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("lanternwick-check "));
}

// Each game of a shell glob is checked and counted under its name; the status is
// the worst of them, and JSON names each finding's file.
TEST(CheckerProgram, ChecksEveryGameGivenAndEndsWithTheWorstStatus) {
    const TempFolder clean, faulty, empty;
    WriteGameFiles(clean);
    WriteGameFiles(faulty);
    ASSERT_TRUE(QFile::copy(DataFile("clean.dat"), clean.filePath("Lanternwick.dat")));
    ASSERT_TRUE(QFile::copy(DataFile("names.dat"), faulty.filePath("Lanternwick.dat")));
    const QString faultyFile = faulty.filePath("Lanternwick.dat");

    const CheckerRun both = RunChecker({faulty.path(), clean.path()});
    EXPECT_EQ(both.status, 1);
    EXPECT_TRUE(both.out.startsWith(faultyFile + ":3:1: warning:"));
    EXPECT_TRUE(both.out.contains("\n3 error(s), 2 warning(s) in " + faultyFile + "\n"));
    EXPECT_TRUE(both.out.endsWith("\n0 error(s), 0 warning(s) in " +
                                  clean.filePath("Lanternwick.dat") + "\n"));
    EXPECT_EQ(RunChecker({clean.path(), faulty.path()}).status, 1);
    const CheckerRun unreadable = RunChecker({clean.path(), empty.path(), faulty.path()});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.out.contains("3 error(s), 2 warning(s) in " + faultyFile));

    const CheckerRun json = RunChecker({"--format=json", clean.path(), faulty.path()});
    const QJsonArray all = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all[4].toObject()["path"].toString(), faultyFile);
    EXPECT_EQ(RunChecker({clean.path(), faulty.path(), "--graph", "x.dot"}).status, 2);
}

// A game folder lacking the files the player opens by their own names.
TEST(CheckerGameFiles, TitlePictureMusicAndHelpAreLookedFor) {
    const TempFolder dir;
    ASSERT_TRUE(QFile::copy(DataFile("clean.dat"), dir.filePath("Lanternwick.dat")));
    EXPECT_EQ(Briefs(dir.path()),
              QStringList({"1 error missing-title", "1 warning missing-title-music",
                           "1 warning missing-help"}));
    dir.write("title.jpg", "not a picture");
    dir.write("loop101s.wav", "not a wave");
    dir.write("LANTERNWICK.hlp", "help");
    EXPECT_EQ(Briefs(dir.path()),
              QStringList({"1 warning file-case", "1 error not-picture",
                           "1 warning missing-title-music", "1 warning file-case"}));
    QFile::remove(dir.filePath("title.jpg"));
    ASSERT_TRUE(WritePicture(dir.filePath("Title.JPG"), 640, 480, 0x000080));
    EXPECT_TRUE(Briefs(dir.path()).contains("1 warning picture-size"));
}

// Columns as the editors read them: characters, bytes of UTF-8 (Vim), screen
// columns (Emacs), after a file name of wide and half-width characters.
TEST(CheckerProgram, CountsColumnsInTheUnitAsked) {
    const TempFolder dir;
    WriteGameFiles(dir);
    dir.write("Lanternwick.dat",
              EncodeAnsi(QStringLiteral(
                  "_00001\r\nanime    漢字ｶﾅ.JPG    nothere.JPG \r\nnext     -1\r\n_\r\n")));
    const auto columnOf = [&](const QString& unit) {
        const CheckerRun run = RunChecker({dir.path(), "--columns", unit});
        const QRegularExpressionMatch m =
            QRegularExpression(":2:(\\d+): error: [^\n]*nothere").match(run.out);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    EXPECT_EQ(columnOf("characters"), 22);
    EXPECT_EQ(columnOf("bytes"), 30);
    EXPECT_EQ(columnOf("screen"), 24);
    EXPECT_EQ(RunChecker({dir.path(), "--columns=pixels"}).status, 2);
}

}  // namespace

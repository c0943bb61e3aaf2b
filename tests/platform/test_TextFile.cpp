// Reading text files by number: CP932 decoding, every line-end convention, and
// the bookkeeping of file numbers.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

namespace {

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetGameFolder(dir_.path()); }
    void TearDown() override {
        CloseAllFiles();
        SetGameFolder(QString());
    }

    QString write(const QByteArray& bytes) {
        const QString path = dir_.write(QStringLiteral("f%1.txt").arg(counter_++), bytes);
        EXPECT_FALSE(path.isEmpty());
        return path;
    }

    QStringList readAll(const QString& path) {
        const int16_t n = FreeFileNumber();
        EXPECT_TRUE(OpenForInput(n, path));
        QStringList lines;
        QString line;
        while (ReadLine(n, line))
            lines << line;
        CloseFile(n);
        return lines;
    }

    TempFolder dir_;
    int counter_ = 0;
};

TEST_F(TextFileTest, EveryLineEndConventionSplitsTheSameWay) {
    const QStringList expected{"one", "two", "", "four"};
    EXPECT_EQ(readAll(write("one\r\ntwo\r\n\r\nfour\r\n")), expected);
    EXPECT_EQ(readAll(write("one\ntwo\n\nfour\n")), expected);
    EXPECT_EQ(readAll(write("one\rtwo\r\rfour\r")), expected);
    EXPECT_EQ(readAll(write("one\r\ntwo\n\rfour")), expected);  // mixed, no final terminator
    EXPECT_TRUE(readAll(write("")).isEmpty());
}

TEST_F(TextFileTest, CrLfSplitAcrossReadChunksIsOneTerminator) {
    // Put the CR last in the first chunk the reader takes.
    QByteArray bytes(kTextFileChunkBytes - 1, 'a');
    bytes += "\r\nnext\r\n";
    const QStringList lines = readAll(write(bytes));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), kTextFileChunkBytes - 1);
    EXPECT_EQ(lines[1], "next");
}

// "msg      灯りｶﾅ" in CP932: kanji and hiragana take two bytes, half-width kana
// one; 0x85 0x20 is no character, and a lead byte cut off at the line end neither.
TEST_F(TextFileTest, ShiftJisCharactersAreOneColumnTroubleBytesReplacementsInPlace) {
    const QStringList lines =
        readAll(write("msg      \x93\x94\x82\xe8\xb6\xc5\r\na\x85 b\r\nc\x93\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("msg      灯りｶﾅ"));
    EXPECT_EQ(lines[1].right(2), " b");
    EXPECT_EQ(lines[1].at(0), QLatin1Char('a'));
    EXPECT_EQ(lines[2], QStringLiteral("c\uFFFD"));
}

TEST_F(TextFileTest, EncodeAndDecodeRoundTripJapanese) {
    const QString text = QStringLiteral("ゲームを終了しますか？ｼﾅﾘｵ①");
    EXPECT_EQ(DecodeAnsi(EncodeAnsi(text)), text);
    EXPECT_EQ(EncodeAnsi(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
}

TEST_F(TextFileTest, FileNumbersAreReusedReopeningRestartsCloseAllClosesEverything) {
    EXPECT_FALSE(OpenForInput(1, dir_.filePath("absent.dat")));
    EXPECT_FALSE(IsFileOpen(1));
    const QString path = write("a\r\nb\r\n");
    const int16_t first = FreeFileNumber();
    EXPECT_EQ(first, 1);
    ASSERT_TRUE(OpenForInput(first, path));
    const int16_t second = FreeFileNumber();
    EXPECT_EQ(second, 2);
    ASSERT_TRUE(OpenForInput(second, path));
    QString line;
    ASSERT_TRUE(ReadLine(second, line));
    ASSERT_TRUE(OpenForInput(second, path));
    ASSERT_TRUE(ReadLine(second, line));
    EXPECT_EQ(line, "a");
    CloseFile(first);
    EXPECT_EQ(FreeFileNumber(), 1);
    CloseAllFiles();
    EXPECT_FALSE(IsFileOpen(second));
    EXPECT_FALSE(ReadLine(second, line));
}

TEST_F(TextFileTest, SearchComparesWholeLinesAsBytesInEveryConvention) {
    // The first line fills the first chunk up to its terminator, so that
    // the CR and the LF of CR LF fall on either side of the chunk's end or not.
    for (const QByteArray end : {"\r\n", "\n", "\r"}) {
        for (int filler : {kTextFileChunkBytes - 1, kTextFileChunkBytes - 2}) {
            SCOPED_TRACE(end.toHex().toStdString() + " " + std::to_string(filler));
            const QByteArray bytes = QByteArray(filler, 'a') + end + "_000011" + end + "x_00001" +
                                     end + "_00001" + end + "\x93\x94" + end + "_00001" + end;
            const int16_t n = FreeFileNumber();
            ASSERT_TRUE(OpenForInput(n, write(bytes)));
            QString line;
            int64_t lines = 0;
            ASSERT_TRUE(ReadLineMatching(n, {"_", "_00001"}, line, lines));
            EXPECT_EQ(line, "_00001");
            EXPECT_EQ(lines, 4);
            ASSERT_TRUE(ReadLine(n, line));  // reading goes on after the line found
            EXPECT_EQ(line, QStringLiteral("灯"));
            EXPECT_TRUE(ReadLineMatching(n, {"_00001"}, line, lines));
            EXPECT_EQ(lines, 5);
            EXPECT_FALSE(ReadLineMatching(n, {"_00001"}, line, lines));
            EXPECT_EQ(lines, 5);
            CloseFile(n);
        }
    }
}

TEST_F(TextFileTest, ALineOverTheBoundIsCutAndTheRestPassedOverWithoutKeepingIt) {
    const int16_t n = FreeFileNumber();
    // Ten megabytes on one line, then a line the reader must still find.
    ASSERT_TRUE(OpenForInput(n, write(QByteArray(10 << 20, 'x') + "\r\n_00001\r\nend")));
    QString line;
    ASSERT_TRUE(ReadLine(n, line));
    EXPECT_TRUE(LastLineWasCut(n));
    EXPECT_EQ(line.size(), kLongestLineBytes);
    ASSERT_TRUE(ReadLine(n, line));
    EXPECT_FALSE(LastLineWasCut(n));
    EXPECT_EQ(line, "_00001");
    ASSERT_TRUE(OpenForInput(n, write(QByteArray(kLongestLineBytes, 'x'))));
    ASSERT_TRUE(ReadLine(n, line));
    EXPECT_FALSE(LastLineWasCut(n));  // at the bound exactly, nothing is lost
}

// The scenario file is a game file: what leads out of the folder or is no
// regular file is not there, and a file is read only as far as it was long
// when it was opened, and never past the bound.
TEST_F(TextFileTest, OnlyRegularFilesOfTheGameFolderAreReadAndOnlyAsFarAsTheirSize) {
    const TempFolder outside;
    const QString elsewhere = outside.write("Lanternwick.dat", "_00001\r\n");
    const int16_t n = FreeFileNumber();
    for (const char* target : {"/dev/zero", "/proc/self/pagemap"}) {
        ASSERT_TRUE(QFile::link(target, dir_.filePath("special.dat")));
        EXPECT_FALSE(OpenForInput(n, dir_.filePath("special.dat"))) << target;
        ASSERT_TRUE(QFile::remove(dir_.filePath("special.dat")));
    }
    ASSERT_TRUE(QFile::link(elsewhere, dir_.filePath("Lanternwick.dat")));
    EXPECT_FALSE(OpenForInput(n, dir_.filePath("Lanternwick.dat")));
    EXPECT_FALSE(OpenForInput(n, elsewhere));
    EXPECT_FALSE(OpenForInput(
        n, dir_.filePath("../" + QFileInfo(outside.path()).fileName() + "/Lanternwick.dat")));

    // Lines written after the open are past the size it had then.
    const QString growing = write("_00001\r\n");
    ASSERT_TRUE(OpenForInput(n, growing));
    QFile appended(growing);
    ASSERT_TRUE(appended.open(QIODevice::Append));
    appended.write("_00002\r\n");
    appended.close();
    QString line;
    int64_t lines = 0;
    EXPECT_FALSE(ReadLineMatching(n, {"_00002"}, line, lines));
    EXPECT_EQ(lines, 1);
    EXPECT_FALSE(StoppedAtBound(n));

    // A sparse file over the bound: the label, one long line cut at its own
    // bound, then nothing, with the reason.
    const QString huge = write("_00001\r\n");
    ASSERT_EQ(truncate(QFile::encodeName(huge).constData(), kLongestTextFileBytes + 4096), 0);
    ASSERT_TRUE(OpenForInput(n, huge));
    ASSERT_TRUE(ReadLine(n, line));
    EXPECT_EQ(line, "_00001");
    ASSERT_TRUE(ReadLine(n, line));
    EXPECT_TRUE(LastLineWasCut(n));
    EXPECT_FALSE(ReadLine(n, line));
    EXPECT_TRUE(StoppedAtBound(n));
}

}  // namespace

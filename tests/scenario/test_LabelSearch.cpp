// The search of a jump, on the bytes of the file as it is at the jump: line
// numbers of the line found, the end line, and a file rewritten between jumps.
#include <gtest/gtest.h>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioReader.h"
#include "support/TempFolder.h"

namespace {

class LabelSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetEngineState();
        Engine.AppDir = dir_.path() + QLatin1Char('/');
        SetGameFolder(dir_.path());
    }
    void TearDown() override {
        ResetScenarioReader();
        SetGameFolder(QString());
    }

    void write(const QString& text) {
        ASSERT_FALSE(dir_.write("Lanternwick.dat", EncodeAnsi(text)).isEmpty());
    }
    // The line a jump to `label` stops at, as "number:text"; "" at the end of the file.
    QString jump(int label) {
        EXPECT_TRUE(ReopenScenarioFile());
        ScenarioLine line;
        if (!ReadToLabelOrEndLine(LabelLineText(label), line)) return QString();
        return QString::number(line.number) + QLatin1Char(':') + line.text;
    }

    TempFolder dir_;
};

TEST_F(LabelSearch, StopsAtTheLabelOrEndLineCountingEveryLineInTheFileAsItIsThen) {
    write(QStringLiteral(
        "msg      _00002\r\n _00002\r\n_00002 \r\n_00002\r\nmsg      灯\r\n_\r\n_00003\r\n"));
    EXPECT_EQ(jump(2), "4:_00002");
    ScenarioLine next;
    ASSERT_TRUE(ReadScenarioLine(next));
    EXPECT_EQ(next.number, 5);
    EXPECT_EQ(next.text, QStringLiteral("msg      灯"));
    EXPECT_EQ(jump(3), "6:_");  // the end line comes first
    ASSERT_TRUE(ReadToLabelOrEndLine(LabelLineText(3), next));
    EXPECT_EQ(next.number, 7);
    EXPECT_EQ(jump(9), "6:_");
    EXPECT_EQ(LastScenarioLineRead().number, 6);

    // Each jump reads the file as it is then.
    write(QStringLiteral("_00001\r\nmsg      one\r\n_00002\r\n_\r\n"));
    EXPECT_EQ(jump(2), "3:_00002");
    // Same size, other places: nothing of the first search may be remembered.
    write(QStringLiteral("_00002\r\nmsg      one\r\n_00001\r\n_\r\n"));
    EXPECT_EQ(jump(2), "1:_00002");
    write(QStringLiteral("_00001\r\n_\r\n"));
    EXPECT_EQ(jump(2), "2:_");
    EXPECT_EQ(jump(2), "2:_");
}

}  // namespace

// The three-line message window.

#include "scenario/MessageWindow.h"
#include "support/CoreFixture.h"

namespace {

class MessageWindowTest : public CoreFixture {};

TEST_F(MessageWindowTest, LinesScrollAndOnlyLowerCaseClsClears) {
    const struct {
        const char* text;
        const char* shown;
    } steps[] = {
        {"A", "A\r\r"},   {"B", "A\rB\r"},     {"C", "A\rB\rC"},
        {"D", "B\rC\rD"}, {"", "C\rD\r"},      {"cls", "\r\r"},
        {"E", "E\r\r"},   {"CLS", "E\rCLS\r"}, {" cls", "E\rCLS\r cls"},
    };
    for (const auto& step : steps) {
        MessageOut(QString::fromUtf8(step.text));
        EXPECT_EQ(messageText(), QString::fromUtf8(step.shown)) << "after " << step.text;
    }
}

}  // namespace

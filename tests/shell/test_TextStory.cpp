// A whole text story played the way a player plays it: New Game, Next after
// each wait, the story's end and the quit question.
#include <gtest/gtest.h>

#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "scenario/EngineState.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "support/GameFixture.h"
#include "support/MessageScript.h"
#include "support/ScenarioText.h"

namespace {

class TextStory : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        writeScenario({"' a short story", Label(1), Line("msgtop", QStringLiteral("第一章")),
                       Line("msg", QStringLiteral("灯りがともる。")), Line("keywait"),
                       Line("msg", "two"), Line("msg", "three"), Line("keywait"), Line("msgcls"),
                       Line("msg", "four"), Line("keywait"), Line("next", "-1"), "_"});
    }
    void clickButton(int i) { MainForm().Command1[i].click(); }
};

TEST_F(TextStory, PlaysFromNewGameToTheQuitQuestion) {
    MessageScript boxes;
    clickButton(2);  // 最初から遊ぶ
    EXPECT_EQ(messageText(), QStringLiteral("第一章\r灯りがともる。\r"));
    clickButton(9);  // 話を進める
    EXPECT_EQ(messageText(), QStringLiteral("灯りがともる。\rtwo\rthree"));
    clickButton(9);
    EXPECT_EQ(messageText(), "four\r\r");
    boxes.expect(QStringLiteral("シナリオ正常終了")).expectQuitQuestion(MessageAnswer::Yes);
    clickButton(9);
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(IsFileOpen(Engine.ScenarioFile));
}

TEST_F(TextStory, DecliningAtTheEndLeavesTheMenuToStartAgain) {
    MessageScript boxes;
    clickButton(2);
    clickButton(9);
    clickButton(9);
    boxes.expect(QStringLiteral("シナリオ正常終了")).expectQuitQuestion(MessageAnswer::No);
    clickButton(9);
    EXPECT_FALSE(ProgramHasEnded());
    clickButton(9);  // nothing waits any more
    EXPECT_EQ(messageText(), "four\r\r");
    clickButton(2);
    EXPECT_EQ(messageText(), QStringLiteral("第一章\r灯りがともる。\r"));
}

TEST_F(TextStory, QuitButtonMidStoryAndNoKeepsTheWait) {
    MessageScript boxes;
    clickButton(2);
    boxes.expectQuitQuestion(MessageAnswer::No);
    clickButton(0);
    EXPECT_EQ(Engine.WaitingForClick, -1);
    clickButton(9);
    EXPECT_EQ(messageText(), QStringLiteral("灯りがともる。\rtwo\rthree"));
}

}  // namespace

// The quit question from every place that asks it.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/MessageBoxOnScreen.h"
#include "platform/TextFile.h"
#include "shell/Quit.h"
#include "shell/SystemMenu.h"
#include "sound/TitleMusic.h"
#include "support/GameFixture.h"
#include "support/WaveFiles.h"

namespace {

class QuitTest : public GameFixture {};

TEST_F(QuitTest, CloseBoxNoKeepsTheWindowButtonsAndWaitYesClosesFilesAndEnds) {
    writeScenario({Label(1), Line("msg", "pick"), Line("keywait"), Label(5), Line("msg", "five"),
                   Line("keywait"), "_"});
    MessageScript boxes;
    newGame();
    MainForm().window.showCentred();
    boxes.expectQuitQuestion(MessageAnswer::No);
    EXPECT_FALSE(MainForm().window.requestClose());
    EXPECT_TRUE(MainForm().window.isShown());
    EXPECT_EQ(MainForm().Command1[2].caption(), QStringLiteral("最初から遊ぶ"));

    // During a choice.
    Engine.MenuMode = 1;
    Engine.ChoiceTargets[2] = 5;
    MainForm().Command1[2].setCaption(QStringLiteral("右へ"));
    boxes.expectQuitQuestion(MessageAnswer::No);
    MainForm().window.requestClose();
    EXPECT_EQ(MainForm().Command1[2].caption(), QStringLiteral("右へ"));
    EXPECT_TRUE(MainForm().Command1[2].isVisible());
    EXPECT_EQ(Engine.WaitingForClick, -1);
    Command1_Click(2);
    EXPECT_EQ(messageText(), "pick\rfive\r");

    ASSERT_TRUE(IsFileOpen(Engine.ScenarioFile));
    boxes.expectQuitQuestion(MessageAnswer::Yes);
    MainForm().window.requestClose();
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(IsFileOpen(Engine.ScenarioFile));
}

TEST_F(QuitTest, ConfirmQuitReturnsOnNoAndStopsTheMusicOnYes) {
    ASSERT_TRUE(WriteWave(QDir(dataDir()).filePath("loop101s.wav"), 8000, 1, WaveEncoding::Float,
                          Ramp(2400)));
    PlayTitleMusic();
    ASSERT_EQ(Engine.WavePlaying, 255);
    MessageScript boxes;
    boxes.expectQuitQuestion(MessageAnswer::No).expectQuitQuestion(MessageAnswer::Yes);
    ConfirmQuit();
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_EQ(Engine.WavePlaying, 255);
    ConfirmQuit();
    EXPECT_TRUE(ProgramHasEnded());
    EXPECT_EQ(Engine.WavePlaying, 0);
}

// The question on screen, with the test program's Qt in English as on a
// system where Qt's Japanese translation is not installed.
TEST_F(QuitTest, TheQuestionOnScreenAnswersWithHaiAndIieWhateverTheTranslation) {
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (const QAbstractButton* button : box->buttons())
            captions << button->text();
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(
        ShowMessageOnScreen(QStringLiteral("ゲームを終了しますか？"), MessageStyle::YesNoQuestion),
        MessageAnswer::No);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("いいえ"), QStringLiteral("はい")}));
}

}  // namespace

// The choice commands: targets, labelled buttons and the wait (their bad lines are
// in test_ArgumentRules).

#include "scenario/Modes.h"
#include "scenario/RunScenario.h"
#include "support/CoreFixture.h"

namespace {

class Choices : public CoreFixture {
  protected:
    const RecordedButton& button(int i) const { return stage_.buttons.at(static_cast<size_t>(i)); }
};

const QString kTargets =
    QStringLiteral("00012 00015 00000 00000 00000 00000 00000 00000 00000 00003");

TEST_F(Choices, LabelledButtonsAndTargetsThenTheWaitAFailedNextbotKeepsThem) {
    writeFile("door.png", "a picture");
    MessageScript boxes;
    play({Line("botcls"), Line("nextbot", kTargets), Line("bottxt2", "0 Go left,Take the left"),
          Line("bottxt2", "1 Go right,Take the right"), Line("botpic", "2 door.png,Open it"),
          Line("bottxt2", "2 Door,y"), Line("bottxt2", "a Back,Go back"),
          Line("bottxt2", "  Blank index,zero"), Line("bottxt2", "3 ,tip, with, commas"),
          Line("botwait")});
    EXPECT_EQ(Engine.MenuMode, kChoiceMode);
    EXPECT_EQ(Engine.WaitingForClick, -1);
    EXPECT_FALSE(button(kNextButton).strikethrough);
    EXPECT_EQ(Engine.ChoiceTargets[1], 15);
    EXPECT_EQ(Engine.ChoiceTargets[9], 3);
    EXPECT_EQ(Engine.ChoiceTargets[10], 0);
    EXPECT_EQ(button(1).caption, "Go right");
    EXPECT_EQ(button(1).toolTip, "Take the right");
    // A picture and a caption live together on one button.
    EXPECT_EQ(button(2).picture, "door.png");
    EXPECT_EQ(button(2).caption, "Door");
    EXPECT_EQ(button(10).caption, "Back");        // "a" is button 10
    EXPECT_EQ(button(0).caption, "Blank index");  // a non-digit index is button 0
    EXPECT_EQ(button(3).caption, "");
    EXPECT_EQ(button(3).toolTip, "tip, with, commas");
    for (int i : {0, 1, 2, 3, 10})
        EXPECT_TRUE(button(i).visible) << i;
    for (int i : {4, 9})
        EXPECT_FALSE(button(i).visible) << i;

    play({Line("botcls"), Line("botrpg")});  // botcls takes everything away again
    for (const RecordedButton& b : stage_.buttons) {
        EXPECT_FALSE(b.visible);
        EXPECT_EQ(b.picture + b.caption + b.toolTip, "");
    }

    // A failed nextbot leaves the old targets.
    boxes.expectContaining(QStringLiteral("読めません"));
    play({Line("nextbot", kTargets), Line("nextbot", "00001 xxxxx"), Line("botrpg")});
    EXPECT_EQ(Engine.ChoiceTargets[0], 12);
}

// `botwait` enters choice mode only where button 9 is the Next button; mode 5
// waits for Next on button 10; from mode 6 on the run just stops.
TEST_F(Choices, BotwaitInEachDisplayMode) {
    for (int mode = 0; mode <= 9; ++mode) {
        SCOPED_TRACE(mode);
        Engine.WaitingForClick = 0;
        MessageScript boxes;
        play({Line("sysmode", QString::number(mode)), Line("botwait"), Line("msg", "never")});
        EXPECT_EQ(Engine.MenuMode, mode <= 4 ? kChoiceMode : mode);
        EXPECT_EQ(Engine.WaitingForClick, mode <= 5 ? -1 : 0);
        EXPECT_EQ(button(kButtonTen).caption, mode == 5 ? kNextCaption : QString());
        EXPECT_EQ(messageText(), "");
    }
}

}  // namespace

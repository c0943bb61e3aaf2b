// The reading keys and clicks, where the keyboard focus rests, the message
// window as assistive technology reads it, and the quit question during a held
// wait.

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRect>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "platform/Events.h"
#include "scenario/Modes.h"
#include "shell/ReadingKeys.h"
#include "support/GameFixture.h"

namespace {

// Inputs as the window system delivers them: keys to the focused widget (or the
// window), the rest to the widget under the pointer.
void Key(int code) {
    QWidget* window = MainForm().window.qwidget();
    QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, QStringLiteral(" "));
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(focused, &press);
    QApplication::sendEvent(focused, &release);
}
void Click(QWidget* target) {
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}
void Wheel(int delta) {
    QWidget* window = MainForm().window.qwidget();
    const QPointF at(600, 420);  // below the buttons
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &event);
}

struct InputRow {
    const char* name;
    void (*deliver)();
    bool readsOn;  // while the story waits for Next
};

// clang-format off
const InputRow kInputs[] = {
    {"Return", [] { Key(Qt::Key_Return); }, true}, {"Enter", [] { Key(Qt::Key_Enter); }, true},
    {"Space", [] { Key(Qt::Key_Space); }, true},   {"PageDown", [] { Key(Qt::Key_PageDown); }, true},
    {"WheelDown", [] { Wheel(-120); }, true},      {"WheelUp", [] { Wheel(120); }, false},
    {"ClickText", [] { Click(MainForm().Label1.qwidget()); }, true},
    {"ClickPicture", [] { Click(MainForm().Picture1.qwidget()); }, true}};
// clang-format on

class ReadingKeys : public GameFixture, public ::testing::WithParamInterface<InputRow> {
  protected:
    void clickButton(int i) { MainForm().Command1[i].click(); }
    QString focusedName() const {
        QWidget* focused = MainForm().window.qwidget()->focusWidget();
        return focused && focused != MainForm().window.qwidget() ? focused->objectName()
                                                                 : QString();
    }
};

// clang-format off
const QStringList kTwoPagesAndAChoice = {
    Label(1), Line("msg", "a"), Line("keywait"), Line("msg", "b"),
    Line("nextbot", "00005 00006 00000 00000 00000 00000 00000 00000 00000 00000"),
    Line("botcls"), Line("bottxt2", "0 左へ,L"), Line("bottxt2", "1 右へ,R"), Line("botwait"),
    Label(5), Line("msg", "five"), Line("keywait"), Label(6), Line("msg", "six"), Line("keywait"), "_"};
// clang-format on

TEST_P(ReadingKeys, ReadOnOnlyWhileTheStoryWaitsForNext) {
    writeScenario(kTwoPagesAndAChoice);
    MessageScript boxes;  // any box, the quit question above all, fails the test
    MainForm().window.showCentred();

    GetParam().deliver();  // at the title: never New Game
    EXPECT_EQ(messageText(), "");

    clickButton(kNewGameButton);
    ASSERT_TRUE(messageText().startsWith("a"));
    GetParam().deliver();
    EXPECT_EQ(messageText().contains("b"), GetParam().readsOn);
    if (!GetParam().readsOn) return;

    ASSERT_EQ(Engine.MenuMode, kChoiceMode);  // a choice waits: nothing is chosen
    const QString page = messageText();
    GetParam().deliver();
    EXPECT_EQ(messageText(), page);
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReadingKeys, ::testing::ValuesIn(kInputs),
                         [](const auto& info) { return std::string(info.param.name); });

class FocusTest : public ReadingKeys {};

TEST_F(FocusTest, RestsOnNextNowhereDuringAChoiceAndNeverOnNewGame) {
    writeScenario(kTwoPagesAndAChoice);
    MessageScript boxes;
    MainForm().window.showCentred();
    SettleFocus();
    for (const char* harmful : {"Command1_0", "Command1_2"})
        EXPECT_NE(focusedName(), harmful);  // at the title Space must not start the story

    clickButton(kNewGameButton);
    EXPECT_EQ(focusedName(), "Command1_9");
    EXPECT_FALSE(MainForm().Command1[3].takesKeys());  // blank in the menu
    // A mouse click leaves the focus where it was.
    EXPECT_FALSE(MainForm().Command1[2].qwidget()->focusPolicy() & Qt::ClickFocus);

    clickButton(kNextButton);
    EXPECT_EQ(focusedName(), "");  // the choice: Space stops here
    EXPECT_TRUE(MainForm().Command1[1].takesKeys());
    Key(Qt::Key_Space);
    EXPECT_EQ(Engine.WaitingForClick, -1);

    // The player brings the focus into the column and takes the choice with Space.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(MainForm().window.qwidget(), &down);
    EXPECT_TRUE(focusedName().startsWith("Command1_"));
    MainForm().Command1[1].setFocused();
    Key(Qt::Key_Space);
    EXPECT_TRUE(messageText().contains("six"));
    EXPECT_EQ(focusedName(), "Command1_9");
}

// The quit question keeps every button in every menu mode, and a close during a
// held wait is asked at once while the story stays held.
TEST_F(FocusTest, QuitQuestionKeepsEveryButtonAndIsAskedDuringAHeldWait) {
    MessageScript boxes;
    MainForm().window.showCentred();
    for (uint8_t mode : {kChoiceMode, kRoutineMode, uint8_t{3}, kNextOnButton10Mode}) {
        Engine.MenuMode = mode;
        MainForm().Command1[4].setCaption("choice");
        MainForm().Command1[4].setToolTip("tip");
        boxes.expectQuitQuestion(MessageAnswer::No);
        EXPECT_FALSE(MainForm().window.requestClose());
        EXPECT_EQ(MainForm().Command1[4].caption(), "choice") << int(mode);
        EXPECT_EQ(MainForm().Command1[4].toolTip(), "tip") << int(mode);
    }
    {
        const StoryHold hold;
        boxes.expectQuitQuestion(MessageAnswer::No);
        EXPECT_FALSE(MainForm().window.requestClose());
        EXPECT_TRUE(boxes.finished());
        EXPECT_TRUE(StoryIsHeld());
    }
    ProcessPendingEvents();
    EXPECT_TRUE(MainForm().window.isShown());
}

// WCAG's contrast ratio of two colours.
double Contrast(QRgb a, QRgb b) {
    auto luminance = [](QRgb c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The focused button, caption or picture, is ringed so that a reader sees it:
// at least a two-pixel perimeter's worth of pixels changes 3:1 or more against
// the unfocused button, and the button keeps its place and size.
TEST_F(FocusTest, TheFocusedButtonIsRingedVisiblyOnCaptionsAndPictures) {
    MessageScript boxes;
    writePicture("dark.png", 120, 28, 0x202020);
    MainForm().window.showCentred();
    PushButton& picture = MainForm().Command1[1];
    ASSERT_TRUE(picture.setPicture(QDir(dataDir()).filePath("dark.png")));
    picture.setVisible(true);  // a picture choice
    for (int index : {kNextButton, 1}) {
        PushButton& button = MainForm().Command1[index];
        QWidget* widget = button.qwidget();
        const QRect place = widget->geometry();
        MainForm().window.focusNothing();
        const QImage plain = MainForm().window.qwidget()->grab(place).toImage();
        button.setFocused();
        const QImage ringed = MainForm().window.qwidget()->grab(place).toImage();
        EXPECT_EQ(widget->geometry(), place);

        int changed = 0;
        for (int y = 0; y < place.height(); ++y) {
            for (int x = 0; x < place.width(); ++x)
                changed += Contrast(plain.pixel(x, y), ringed.pixel(x, y)) >= 3.0;
        }
        const int perimeter = 2 * 2 * (place.width() + place.height()) - 16;
        EXPECT_GE(changed, perimeter) << index;
        // The ring runs round the whole edge, on the picture as on the face.
        EXPECT_EQ(ringed.pixel(0, place.height() / 2), qRgb(0, 0, 0)) << index;
        EXPECT_EQ(ringed.pixel(place.width() / 2, 3), qRgb(255, 255, 255)) << index;
    }
}

TEST_F(FocusTest, MessageWindowIsStaticTextNamedByItsRows) {
    MainForm().window.showCentred();
    MainForm().Label1.setText("one\rtwo\r");
    QAccessibleInterface* text = QAccessible::queryAccessibleInterface(MainForm().Label1.qwidget());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->role(), QAccessible::StaticText);
    EXPECT_EQ(text->text(QAccessible::Name), "one\ntwo\n");
    MainForm().Label1.setText("three");
    EXPECT_EQ(text->text(QAccessible::Name), "three");
    QAccessibleInterface* picture =
        QAccessible::queryAccessibleInterface(MainForm().Picture1.qwidget());
    EXPECT_TRUE(picture->text(QAccessible::Name).contains("CG"));
}

TEST(WindowPlacement, CentresWhenItFitsElseTopLeft) {
    const QRect area(0, 30, 1024, 738);
    EXPECT_EQ(CentredOrTopLeft(area, QSize(640, 458)), QPoint(192, 170));
    EXPECT_EQ(CentredOrTopLeft(QRect(0, 15, 512, 369), QSize(640, 458)), QPoint(0, 15));
}

}  // namespace

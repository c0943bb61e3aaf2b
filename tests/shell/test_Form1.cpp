// The main window as built: widget tree, design geometry, looks, initial state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "support/GameFixture.h"

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { DestroyMainForm(); }
    void TearDown() override {
        DestroyMainForm();
        DestroySoundWindow();
    }
};

struct Place {
    int left, top, width, height;
};

void ExpectPlace(const Widget& w, Place p) {
    EXPECT_EQ(w.left(), p.left) << w.objectName().toStdString();
    EXPECT_EQ(w.top(), p.top) << w.objectName().toStdString();
    EXPECT_EQ(w.width(), p.width) << w.objectName().toStdString();
    EXPECT_EQ(w.height(), p.height) << w.objectName().toStdString();
}

TEST_F(MainWindowTest, DesignGeometryInPixels) {
    Form1& form = MainForm();
    EXPECT_EQ(form.window.width(), 634);
    EXPECT_EQ(form.window.height(), 433);
    ExpectPlace(form.CardPic1, {352, 392, 97, 73});
    ExpectPlace(form.RpgPic1, {224, 392, 113, 81});
    ExpectPlace(form.WrkPic1, {136, 392, 81, 121});
    ExpectPlace(form.AniPic1, {16, 392, 105, 169});
    ExpectPlace(form.Picture1, {8, 8, 484, 362});
    ExpectPlace(form.Label1, {8, 376, 489, 53});
    for (int i = 0; i < kButtonCount; ++i)
        ExpectPlace(form.Command1[i], {496, 8 + 40 * i, 129, 33});
    // Button 10 reaches below the window's inside and is cut off there.
    EXPECT_GT(form.Command1[10].top() + form.Command1[10].height(), form.window.height());
}

TEST_F(MainWindowTest, OuterSizeInTwipsGivesTheDesignInside) {
    Form1& form = MainForm();
    form.window.setOuterHeightTwips(6870);
    form.window.setOuterWidthTwips(9600);
    EXPECT_EQ(form.window.width(), 634);
    EXPECT_EQ(form.window.height(), 433);
    EXPECT_EQ(form.window.qwidget()->minimumSize(), form.window.qwidget()->maximumSize());
}

TEST_F(MainWindowTest, InitialLooksAndState) {
    Form1& form = MainForm();
    EXPECT_EQ(form.Picture1.toolTip(), "CG Window");
    EXPECT_EQ(form.Label1.toolTip(), "Message Window");
    EXPECT_EQ(form.Label1.text(), "");
    EXPECT_EQ(form.Picture1.insideWidth(), 480);
    EXPECT_EQ(form.Picture1.insideHeight(), 358);
    EXPECT_EQ(form.Picture1.pixel(100, 100), 0xffffffffu);
    EXPECT_EQ(form.Animer1.interval(), 0);
    EXPECT_EQ(form.Animer1.tag(), "");
    for (int i = 0; i < kButtonCount; ++i) {
        const PushButton& b = form.Command1[i];
        EXPECT_TRUE(b.isVisible());
        EXPECT_EQ(b.caption(), "");
        EXPECT_EQ(b.toolTip(), "");
        EXPECT_FALSE(b.strikethrough());
        EXPECT_DOUBLE_EQ(b.fontPoints(), 11.25);
        EXPECT_EQ(b.objectName(), QStringLiteral("Command1_%1").arg(i));
    }
    EXPECT_DOUBLE_EQ(form.Label1.fontPoints(), 12);
}

TEST_F(MainWindowTest, JapaneseFacesMapToTheIpaFonts) {
    Form1& form = MainForm();
    const QFontInfo label(form.Label1.qwidget()->font());
    EXPECT_EQ(label.family(), "IPAPMincho");
    EXPECT_EQ(QFontInfo(form.Command1[0].qwidget()->font()).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(form.Command1[5].qwidget()->font()).family(), "IPAPGothic");
}

TEST_F(MainWindowTest, HiddenSurfacesNeverShow) {
    Form1& form = MainForm();
    form.window.showCentred();
    for (PictureSurface* s : {&form.CardPic1, &form.RpgPic1, &form.WrkPic1, &form.AniPic1}) {
        EXPECT_FALSE(s->qwidget()->isVisible()) << s->objectName().toStdString();
    }
    EXPECT_TRUE(form.Picture1.qwidget()->isVisible());
    EXPECT_TRUE(form.Label1.qwidget()->isVisible());
}

TEST_F(MainWindowTest, TabOrderStartsAtNextButton) {
    Form1& form = MainForm();
    QWidget* w = form.Command1[9].qwidget();
    std::vector<QString> order;
    for (int i = 0; i < kButtonCount; ++i) {
        order.push_back(w->objectName());
        w = w->nextInFocusChain();
    }
    const std::vector<QString> expected{"Command1_9", "Command1_0", "Command1_1", "Command1_2",
                                        "Command1_3", "Command1_4", "Command1_5", "Command1_6",
                                        "Command1_7", "Command1_8", "Command1_10"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(form.Picture1.qwidget()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form.Label1.qwidget()->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainWindowTest, SoundWindowIsMadeOnFirstUse) {
    DestroySoundWindow();
    EXPECT_FALSE(SoundWindowExists());
    Form2& sound = SoundForm();
    EXPECT_TRUE(SoundWindowExists());
    EXPECT_EQ(sound.Mumer1().tag(), "0");
    EXPECT_EQ(sound.Mumer2().tag(), "");
    EXPECT_EQ(sound.Mumer1().interval(), 0);
    EXPECT_EQ(&SoundForm(), &sound);
}

}  // namespace

// The main window as built: its size in twips, faces and button texts, hidden buffers
// and focus order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "shell/Form1.h"
#include "shell/Form2.h"

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { DestroyMainForm(); }
    void TearDown() override {
        DestroyMainForm();
        DestroySoundWindow();
    }
};

TEST_F(MainWindowTest, OuterSizeInTwipsGivesTheDesignInsideWithJapaneseFacesAndAnswers) {
    Form1& form = MainForm();
    form.window.setOuterHeightTwips(6870);
    form.window.setOuterWidthTwips(9600);
    EXPECT_EQ(form.window.width(), 634);
    EXPECT_EQ(form.window.height(), 433);
    // Larger sizes draw the inside scaled; smaller ones are refused.
    EXPECT_EQ(form.window.qwidget()->minimumSize(), QSize(634, 433));
    EXPECT_EQ(QFontInfo(form.Label1.qwidget()->font()).family(), "IPAPMincho");
    EXPECT_EQ(QFontInfo(form.Command1[0].qwidget()->font()).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(form.Command1[5].qwidget()->font()).family(), "IPAPGothic");
    // The message boxes' buttons.
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").contains("はい"));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&No").contains("いいえ"));
}

TEST_F(MainWindowTest, HiddenSurfacesNeverShowAndTabOrderStartsAtNextButton) {
    Form1& form = MainForm();
    form.window.showCentred();
    for (PictureSurface* s : {&form.CardPic1, &form.RpgPic1, &form.WrkPic1, &form.AniPic1}) {
        EXPECT_FALSE(s->qwidget()->isVisible()) << s->objectName().toStdString();
    }
    EXPECT_TRUE(form.Picture1.qwidget()->isVisible());
    EXPECT_TRUE(form.Label1.qwidget()->isVisible());

    QWidget* w = form.Command1[9].qwidget();
    QStringList order;
    for (int i = 0; i < kButtonCount; ++i, w = w->nextInFocusChain())
        order << w->objectName();
    EXPECT_EQ(order, QStringList({"Command1_9", "Command1_0", "Command1_1", "Command1_2",
                                  "Command1_3", "Command1_4", "Command1_5", "Command1_6",
                                  "Command1_7", "Command1_8", "Command1_10"}));
    EXPECT_EQ(form.Picture1.qwidget()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form.Label1.qwidget()->focusPolicy(), Qt::NoFocus);
}

}  // namespace

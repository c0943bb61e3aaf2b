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

TEST_F(MainWindowTest, OuterSizeInTwipsGivesTheDesignInside) {
    Form1& form = MainForm();
    form.window.setOuterHeightTwips(6870);
    form.window.setOuterWidthTwips(9600);
    EXPECT_EQ(form.window.width(), 634);
    EXPECT_EQ(form.window.height(), 433);
    EXPECT_EQ(form.window.qwidget()->minimumSize(), form.window.qwidget()->maximumSize());
}

TEST_F(MainWindowTest, JapaneseFacesMapToTheIpaFonts) {
    Form1& form = MainForm();
    const QFontInfo label(form.Label1.qwidget()->font());
    EXPECT_EQ(label.family(), "IPAPMincho");
    EXPECT_EQ(QFontInfo(form.Command1[0].qwidget()->font()).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(form.Command1[5].qwidget()->font()).family(), "IPAPGothic");
}

TEST_F(MainWindowTest, MessageBoxButtonsSpeakJapanese) {
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&Yes").contains(QStringLiteral("はい")));
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&No").contains(QStringLiteral("いいえ")));
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

}  // namespace

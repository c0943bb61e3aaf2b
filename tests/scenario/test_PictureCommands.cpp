// Pictures in the CG window: `cg`, `circle`, the animation strips of `anime` and
// `anime3`, the animation timer and the window's overlays.

#include <QApplication>
#include <QColor>
#include <QPalette>

#include "scenario/CgWindow.h"
#include "scenario/RunScenario.h"
#include "support/GameFixture.h"

namespace {

constexpr uint32_t kOpaque = 0xff000000u;

class Pictures : public GameFixture {
  protected:
    PictureSurface& cg() { return MainForm().Picture1; }
    // One tick of the animation timer, as the stepped clock delivers it.
    void tick() { clock_.advance(100); }
};

// ---- cg ----------------------------------------------------------------------

TEST_F(Pictures, CgAddsJpgWithoutADotFindsOtherCasesTakesTheSizeReportsABrokenFile) {
    writePicture("room01.JPG", 480, 358, 0x336699);
    writePicture("Small.bmp", 200, 100, 0xff0000);
    writeFile("broken.JPG", "not a picture");
    MessageScript boxes;
    play({Line("cg", "room01"), Line("keywait"), Line("cg", "small.BMP   "), Line("keywait"),
          Line("cg", "broken"), Line("msg", "never"), Line("keywait")});
    EXPECT_NEAR(qBlue(cg().pixel(100, 100)), 0x99, 4);
    EXPECT_EQ(cg().width(), 484);
    next();
    EXPECT_EQ(cg().pixel(100, 50), kOpaque | 0xff0000u);
    EXPECT_EQ(cg().width(), 204);
    EXPECT_EQ(cg().height(), 104);
    Picture1_MouseDown();  // means nothing in this game
    EXPECT_EQ(cg().pixel(100, 50), kOpaque | 0xff0000u);
    boxes.expectContaining(QStringLiteral("「broken.JPG」が見つからないか、絵として読めません"));
    next();
    EXPECT_EQ(messageText(), "");
}

// ---- circle and painting -------------------------------------------------------

// The circle is drawn on every repaint until switched off; modes five and seven
// cover the picture with the empty RPG surface, under the circle.
TEST_F(Pictures, CircleIsDrawnOnEveryRepaintUntilSwitchedOffAndOverModeSeven) {
    writePicture("white.png", 480, 358, 0xffffff);
    MessageScript boxes;
    play({Line("cg", "white.png"), Line("circle", "1 0240 0179 0050"), Line("keywait"),
          Line("cg", "white.png"), Line("keywait"), Line("circle", "0 0240 0179 0050"),
          Line("keywait"), Line("sysmode", "7"), Line("circle", "1 0100 0100 0020"),
          Line("botrpg")});
    EXPECT_EQ(Engine.CircleParams[3], 50);
    EXPECT_EQ(cg().pixel(290, 179), kOpaque | 0x777777u);  // on the ring
    EXPECT_EQ(cg().pixel(240, 179), kOpaque | 0xffffffu);  // not filled
    next();                                                // a later cg keeps the circle
    EXPECT_EQ(cg().pixel(290, 179), kOpaque | 0x777777u);
    next();
    EXPECT_EQ(cg().pixel(290, 179), kOpaque | 0xffffffu);
    next();
    EXPECT_NE(cg().pixel(300, 300), kOpaque | 0xffffffu);
    EXPECT_EQ(cg().pixel(120, 100), kOpaque | 0x777777u);
}

// ---- anime ---------------------------------------------------------------------

QString Field(const QString& name) { return name.leftJustified(12, QLatin1Char(' ')); }

TEST_F(Pictures, AnimeComposesTheStripAndPlaysOneFrameAPerTick) {
    writePicture("f0.png", 480, 358, 0x100000);
    writePicture("f1.png", 480, 358, 0x200000);
    writePicture("f2.png", 480, 358, 0x300000);
    writePicture("back.png", 480, 358, 0xffffff);
    MessageScript boxes;
    play({Line("cg", "back.png"),
          Line("anime", Field("f0.png") + Field("f1.png") + Field("f2.png")), Line("msg", "after"),
          Line("keywait")});
    Form1& form = MainForm();
    EXPECT_EQ(form.Animer1.tag(), "000002");
    EXPECT_EQ(form.Animer1.interval(), 100);
    EXPECT_EQ(Engine.CgHeight, 358);
    EXPECT_EQ(form.AniPic1.insideHeight(), 3 * 358);
    EXPECT_EQ(form.AniPic1.pixel(5, 358 + 5), kOpaque | 0x200000u);
    EXPECT_EQ(messageText(), "");

    tick();
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0x100000u);
    EXPECT_EQ(form.Animer1.tag(), "001002");
    tick();
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0x200000u);
    tick();  // the last frame resumes the story
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0x300000u);
    EXPECT_EQ(form.Animer1.interval(), 0);
    EXPECT_EQ(messageText(), "after\r\r");
    // A repaint shows the picture again, not the last frame.
    cg().refresh();
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0xffffffu);
}

TEST_F(Pictures, AnimationStartedFromTheLastTickKeepsItsOwnTag) {
    writePicture("f0.png", 480, 358, 0x100000);
    writePicture("g0.png", 480, 358, 0x400000);
    writePicture("g1.png", 480, 358, 0x500000);
    MessageScript boxes;
    // A last name without its padding is no frame.
    play({Line("anime", Field("f0.png")), Line("anime", Field("g0.png") + Field("g1.png") + "g2"),
          Line("msg", "end"), Line("keywait")});
    EXPECT_EQ(MainForm().Animer1.tag(), "000000");  // one frame: over at the first tick
    tick();
    EXPECT_EQ(MainForm().Animer1.tag(), "000001");
    EXPECT_EQ(MainForm().Animer1.interval(), 100);
    tick();
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0x400000u);
    tick();
    EXPECT_EQ(messageText(), "end\r\r");
}

TEST_F(Pictures, NewGameStopsARunningAnimation) {
    writePicture("f0.png", 480, 358, 0x100000);
    writePicture("f1.png", 480, 358, 0x200000);
    MessageScript boxes;
    play({Line("msg", "start"), Line("keywait"), Line("anime", Field("f0.png") + Field("f1.png")),
          Line("msg", "resumed"), Line("keywait")});
    next();
    EXPECT_EQ(MainForm().Animer1.interval(), 100);
    newGame();
    tick();
    tick();
    EXPECT_EQ(messageText(), "start\rstart\r");
}

// ---- anime3 --------------------------------------------------------------------

TEST_F(Pictures, Anime3PlaysTheStripWithItsTallerFramesAndAnExtraFrame) {
    writeStrip("strip.png", 5, 360, 0x00ff00);
    writePicture("extra.png", 480, 360, 0xabcdef);
    MessageScript boxes;
    play({QStringLiteral("anime3   strip.png   040"), Line("msg", "after"), Line("keywait"),
          QStringLiteral("anime3   strip.png    41extra.png"), Line("botrpg")});
    EXPECT_EQ(MainForm().Animer1.tag(), "000004");
    EXPECT_EQ(Engine.CgHeight, 360);
    for (int k = 0; k < 5; ++k) {
        tick();
        EXPECT_EQ(qBlue(cg().pixel(5, 5)), 10 * k) << k;
    }
    EXPECT_EQ(messageText(), "after\r\r");
    // The extra frame comes from the second file.
    next();
    EXPECT_EQ(MainForm().AniPic1.insideHeight(), 5 * 360);
    // The work buffer held the extra frame only until it was in the strip; it
    // keeps its size and shows its background.
    EXPECT_FALSE(MainForm().WrkPic1.hasPicture());
    EXPECT_EQ(MainForm().WrkPic1.insideHeight(), 360);
    EXPECT_EQ(MainForm().WrkPic1.pixel(5, 5),
              QApplication::palette().color(QPalette::Window).rgb());
    for (int k = 0; k < 5; ++k)
        tick();
    EXPECT_EQ(cg().pixel(5, 5), kOpaque | 0xabcdefu);
}

// A strip shorter than its frames plays; past its end, the strip's background.
TEST_F(Pictures, Anime3WithAShortStripPlaysItsBackgroundPastTheEnd) {
    writeStrip("strip.png", 2, 360, 0x00ff00);
    MessageScript boxes;  // no box
    play({QStringLiteral("anime3   strip.png    2"), Line("botrpg")});
    ASSERT_EQ(MainForm().Animer1.tag(), "000002");
    tick();
    tick();
    EXPECT_EQ(qBlue(cg().pixel(5, 5)), 10);
    tick();
    const QRgb background = cg().pixel(5, 5);
    EXPECT_NE(background, kOpaque | 0x00ff00u);
    EXPECT_NE(qBlue(background), 10);
    EXPECT_EQ(cg().pixel(400, 300), background);
}

}  // namespace

// Picture surfaces: loading takes the picture's size, pixel copies move pixels
// unchanged, the kept image survives repaints, refresh runs the overlays.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include "platform/widgets/PictureSurface.h"
#include "platform/widgets/Window.h"

namespace {

class PictureSurfaceTest : public ::testing::Test {
  protected:
    QString picture(const QString& name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.setPixel(0, 0, qRgb(1, 2, 3));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QTemporaryDir dir;
    Window window{"TestWindow"};
};

TEST_F(PictureSurfaceTest, AutoSizeTakesPictureSizePlusBorder) {
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(cg.loadPicture(picture("a.png", 480, 358, Qt::red)));
    EXPECT_EQ(cg.width(), 484);
    EXPECT_EQ(cg.height(), 362);
    ASSERT_TRUE(cg.loadPicture(picture("b.bmp", 200, 100, Qt::blue)));
    EXPECT_EQ(cg.width(), 204);
    EXPECT_EQ(cg.insideHeight(), 100);
    EXPECT_EQ(cg.pixel(0, 0), 0xff010203u);
    EXPECT_EQ(cg.pixel(5, 5), 0xff0000ffu);
}

TEST_F(PictureSurfaceTest, FixedSurfaceKeepsItsSize) {
    PictureSurface card(window, "card", {.borderPx = 2, .autoSize = false});
    card.setWidth(97);
    card.setHeight(73);
    ASSERT_TRUE(card.loadPicture(picture("c.jpg", 300, 300, Qt::green)));
    EXPECT_EQ(card.width(), 97);
    EXPECT_EQ(card.insideWidth(), 93);
}

TEST_F(PictureSurfaceTest, FailedLoadChangesNothing) {
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(cg.loadPicture(picture("a.png", 20, 10, Qt::red)));
    EXPECT_FALSE(cg.loadPicture(dir.filePath("missing.jpg")));
    const QString notPicture = dir.filePath("text.jpg");
    QFile f(notPicture);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    EXPECT_FALSE(cg.loadPicture(notPicture));
    EXPECT_EQ(cg.insideWidth(), 20);
    EXPECT_EQ(cg.pixel(5, 5), 0xffff0000u);
}

TEST_F(PictureSurfaceTest, CopyMovesPixelsAndOutsideGivesBackground) {
    PictureSurface strip(window, "strip", {.borderPx = 2, .autoSize = true});
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    strip.setBackground({10, 20, 30});
    ASSERT_TRUE(strip.loadPicture(picture("s.png", 4, 8, Qt::yellow)));
    ASSERT_TRUE(cg.loadPicture(picture("c.png", 6, 6, Qt::black)));
    cg.copyFrom(strip, 0, 4, 4, 6, 1, 1);  // rows 8 and 9 lie below the strip
    EXPECT_EQ(cg.pixel(1, 1), 0xffffff00u);
    EXPECT_EQ(cg.pixel(1, 4), 0xffffff00u);
    EXPECT_EQ(cg.pixel(1, 5), 0xff0a141eu);
    EXPECT_EQ(cg.pixel(0, 0), 0xff010203u);
}

TEST_F(PictureSurfaceTest, RefreshRedrawsThePictureThenTheOverlays) {
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(cg.loadPicture(picture("c.png", 100, 100, Qt::white)));
    PictureSurface other(window, "other", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(other.loadPicture(picture("o.png", 100, 100, Qt::black)));
    cg.copyFrom(other, 0, 0, 50, 50, 0, 0);
    EXPECT_EQ(cg.pixel(10, 10), 0xff000000u);
    int paints = 0;
    cg.onPaint([&] {
        ++paints;
        cg.drawCircle(50, 50, 20, {119, 119, 119}, 2);
    });
    cg.refresh();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(cg.pixel(10, 10), 0xffffffffu);  // the copy is gone, the picture is back
    EXPECT_EQ(cg.pixel(70, 50), 0xff777777u);  // on the ring
    EXPECT_EQ(cg.pixel(50, 50), 0xffffffffu);  // no fill
}

TEST_F(PictureSurfaceTest, GrowingKeepsWhatTheImageHolds) {
    PictureSurface strip(window, "strip", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(strip.loadPicture(picture("s.png", 10, 10, Qt::red)));
    strip.setHeight(24);
    EXPECT_EQ(strip.insideHeight(), 20);
    EXPECT_EQ(strip.pixel(5, 5), 0xffff0000u);
    strip.setHeight(0);
    EXPECT_EQ(strip.insideHeight(), 0);
}

}  // namespace

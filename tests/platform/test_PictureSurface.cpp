// Picture surfaces: loading takes the picture's size, pixel copies move pixels
// unchanged, the kept image survives repaints, refresh runs the overlays.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <memory>

#include "platform/FileLookup.h"
#include "platform/widgets/PictureSurface.h"
#include "platform/widgets/Window.h"
#include "support/TempFolder.h"

namespace {

class PictureSurfaceTest : public ::testing::Test {
  protected:
    PictureSurfaceTest() { SetGameFolder(dir.path()); }
    ~PictureSurfaceTest() override { SetGameFolder(QString()); }
    QString picture(const QString& name, int w, int h, QColor colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        image.setPixel(0, 0, qRgb(1, 2, 3));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    TempFolder dir;
    Window window{"TestWindow"};
};

TEST_F(PictureSurfaceTest, AutoSizeTakesPictureSizePlusBorderAFailedLoadChangesNothing) {
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    ASSERT_TRUE(cg.loadPicture(picture("a.png", 480, 358, Qt::red)));
    EXPECT_EQ(cg.width(), 484);
    EXPECT_EQ(cg.height(), 362);
    ASSERT_TRUE(cg.loadPicture(picture("b.bmp", 200, 100, Qt::blue)));
    EXPECT_EQ(cg.width(), 204);
    EXPECT_EQ(cg.insideHeight(), 100);
    EXPECT_EQ(cg.pixel(0, 0), 0xff010203u);
    EXPECT_EQ(cg.pixel(5, 5), 0xff0000ffu);
    EXPECT_FALSE(cg.loadPicture(dir.filePath("missing.jpg")));
    EXPECT_FALSE(cg.loadPicture(dir.write("text.jpg", "not a picture")));
    EXPECT_EQ(cg.insideWidth(), 200);
    EXPECT_EQ(cg.pixel(5, 5), 0xff0000ffu);

    PictureSurface card(window, "card", {.borderPx = 2, .autoSize = false});
    card.setWidth(97);
    card.setHeight(73);
    ASSERT_TRUE(card.loadPicture(picture("c.jpg", 300, 300, Qt::green)));
    EXPECT_EQ(card.width(), 97);
    EXPECT_EQ(card.insideWidth(), 93);
}

TEST_F(PictureSurfaceTest, CopyMovesPixelsOutsideGivesBackgroundRefreshRedrawsThenOverlays) {
    PictureSurface strip(window, "strip", {.borderPx = 2, .autoSize = true});
    PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
    strip.setBackground({10, 20, 30});
    ASSERT_TRUE(strip.loadPicture(picture("s.png", 4, 8, Qt::yellow)));
    ASSERT_TRUE(cg.loadPicture(picture("c.png", 100, 100, Qt::white)));
    cg.copyFrom(strip, 0, 4, 4, 6, 1, 1);  // rows 8 and 9 lie below the strip
    EXPECT_EQ(cg.pixel(1, 1), 0xffffff00u);
    EXPECT_EQ(cg.pixel(1, 4), 0xffffff00u);
    EXPECT_EQ(cg.pixel(1, 5), 0xff0a141eu);
    EXPECT_EQ(cg.pixel(0, 0), 0xff010203u);
    int paints = 0;
    cg.onPaint([&] {
        ++paints;
        cg.drawCircle(50, 50, 20, {119, 119, 119}, 2);
    });
    cg.refresh();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(cg.pixel(1, 1), 0xffffffffu);    // the copy is gone, the picture is back
    EXPECT_EQ(cg.pixel(70, 50), 0xff777777u);  // on the ring
    EXPECT_EQ(cg.pixel(50, 50), 0xffffffffu);  // no fill
}

// A strip goes straight into the image: rows kept, cut off or continued with the
// background, whatever pixel format the file has.
TEST_F(PictureSurfaceTest, StripIsDecodedAtTheHeightAskedAndGrowingKeepsTheImage) {
    QImage grey(8, 12, QImage::Format_Grayscale8);
    grey.fill(200);
    ASSERT_TRUE(grey.save(dir.filePath("grey.png")));
    struct Row {
        QString file;
        int height, insideHeight;
        uint32_t top, bottom;
    };
    const uint32_t red = 0xffff0000u, background = 0xff0a141eu, grey200 = 0xffc8c8c8u;
    for (const Row& row : {Row{picture("s.bmp", 8, 12, Qt::red), 0, 12, red, red},
                           Row{dir.filePath("s.bmp"), 20, 20, red, background},
                           Row{dir.filePath("s.bmp"), 6, 6, red, red},
                           Row{dir.filePath("grey.png"), 16, 16, grey200, background}}) {
        SCOPED_TRACE(row.height);
        PictureSurface strip(window, "strip", {.borderPx = 0, .autoSize = true});
        strip.setBackground({10, 20, 30});
        ASSERT_TRUE(strip.loadPicture(picture("old.png", 30, 40, Qt::blue)));
        EXPECT_EQ(strip.loadStrip(row.file, row.height), 12);
        EXPECT_EQ(strip.insideWidth(), 8);
        EXPECT_EQ(strip.insideHeight(), row.insideHeight);
        EXPECT_EQ(strip.pixel(5, 5), row.top);
        EXPECT_EQ(strip.pixel(5, row.insideHeight - 1), row.bottom);
        EXPECT_EQ(strip.pixel(5, row.insideHeight), 0u);
        PictureSurface cg(window, "cg", {.borderPx = 2, .autoSize = true});
        ASSERT_TRUE(cg.loadPicture(picture("c.png", 8, 8, Qt::black)));
        cg.copyFrom(strip, 0, 2, 8, 4, 0, 0);
        EXPECT_EQ(cg.pixel(3, 3), row.top);
    }
    PictureSurface strip(window, "strip", {.borderPx = 2, .autoSize = true});
    EXPECT_EQ(strip.loadStrip(dir.filePath("missing.jpg"), 0), -1);
    // Growing keeps what the image holds.
    ASSERT_TRUE(strip.loadPicture(picture("s.png", 10, 10, Qt::red)));
    strip.setHeight(24);
    EXPECT_EQ(strip.insideHeight(), 20);
    EXPECT_EQ(strip.pixel(5, 5), 0xffff0000u);
    strip.setHeight(0);
    EXPECT_EQ(strip.insideHeight(), 0);
}

TEST_F(PictureSurfaceTest, SurfaceMayOutliveItsWindow) {
    auto owner = std::make_unique<Window>("Owner");
    auto surface = std::make_unique<PictureSurface>(*owner, "cg", PictureSurface::Options{});
    ASSERT_TRUE(surface->loadPicture(picture("a.png", 4, 4, Qt::red)));
    owner.reset();  // takes the Qt widget, and with it the image, along
    surface.reset();
}

}  // namespace

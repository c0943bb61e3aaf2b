// The window at 1x pixel for pixel as it was before it could scale, and scaled:
// its geometry, where clicks, the wheel and tool tips land, fullscreen and the
// keys that step the scale.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "platform/Events.h"
#include "platform/PlatformSetup.h"
#include "scenario/Modes.h"
#include "shell/Main.h"
#include "support/GameFixture.h"

namespace {

// What the window system shows of the main window: the offscreen platform's
// copy of the window's backing store, as a screenshot takes it.
QImage Screenshot() {
    QWidget* window = MainForm().window.qwidget();
    ProcessPendingEvents();
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QString ScreenFile(const char* name) {
    return QStringLiteral(LANTERNWICK_TEST_DATA "/screens/%1.png").arg(QLatin1String(name));
}

class ScreenTest : public GameFixture {
  protected:
    // The window as start-up dresses it, with the bundled game's title picture.
    void dressAsAtStart() {
        Form1& form = MainForm();
        form.window.setOuterHeightTwips(6870);
        form.window.setOuterWidthTwips(9600);
        form.Label1.setFontPoints(MessageFontPoints(ScreenTwipsPerPixelX()));
        // Pictures come from the game folder only.
        ASSERT_TRUE(QFile::copy(LANTERNWICK_GAME_DIR "/Title.JPG", dataDir() + "/Title.JPG"));
        ASSERT_TRUE(form.Picture1.loadPicture(dataDir() + "/Title.JPG"));
        form.window.showCentred();
    }

    // A scene picture with gradients and fine lines, where any resampling shows.
    void writeScenePicture() {
        QImage image(480, 358, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 255 / 479, y * 255 / 357, (x + y) % 2 ? 255 : 0));
        }
        ASSERT_TRUE(image.save(QDir(dataDir()).filePath("scene.png")));
    }

    // Two pages of Japanese text, then a choice over the scene picture.
    void playToAChoice() {
        writeScenePicture();
        // clang-format off
        writeScenario({
            Label(1), Line("cg", "scene.png"), Line("msg", "　夜の広場に、ランタンがひとつ灯っていた。"),
            Line("msg", "「誰かいるの？」"), Line("keywait"), Line("msg", "　返事はない。"),
            Line("nextbot", "00005 00005 00000 00000 00000 00000 00000 00000 00000 00000"),
            Line("botcls"), Line("bottxt2", "0 近づく,Go closer"), Line("bottxt2", "1 帰る,Go home"),
            Line("botwait"), Label(5), Line("msg", "end"), Line("keywait"), "_"});
        // clang-format on
        newGame();
        next();
        ASSERT_EQ(Engine.MenuMode, kChoiceMode);
    }
};

TEST_F(ScreenTest, OneTimesIsPixelForPixelTheWindowOfBefore) {
    dressAsAtStart();
    const QImage title = Screenshot();
    EXPECT_EQ(title.size(), QSize(634, 433));
    EXPECT_TRUE(title == QImage(ScreenFile("title")).convertToFormat(QImage::Format_RGB32));

    playToAChoice();
    const QImage choice = Screenshot();
    EXPECT_TRUE(choice == QImage(ScreenFile("choice")).convertToFormat(QImage::Format_RGB32));
}

}  // namespace

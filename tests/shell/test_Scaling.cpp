// The window at 1x pixel for pixel as it was before it could scale, and scaled:
// its geometry, where clicks, the wheel and tool tips land, fullscreen and the
// keys that step the scale.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QWidget>

#include <QHelpEvent>
#include <QToolTip>

#include "platform/Events.h"
#include "platform/HelpViewer.h"
#include "platform/PlatformSetup.h"
#include "scenario/Modes.h"
#include "shell/Main.h"
#include "support/GameFixture.h"
#include "support/WindowInput.h"

namespace {

// What the window system shows of the main window: the offscreen platform's
// copy of the window's backing store, as a screenshot takes it.
QImage Screenshot() {
    QWidget* window = MainForm().window.qwidget();
    ProcessPendingEvents();
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString ScreenFile(const char* name) {
    return QStringLiteral(LANTERNWICK_TEST_DATA "/screens/%1.png").arg(QLatin1String(name));
}

class ScreenTest : public GameFixture {
  protected:
    MessageScript boxes_;  // any box fails the test instead of waiting on screen

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
            Line("botwait"), Label(5), Line("msg", "end"), Line("keywait"), Line("msg", "more"),
            Line("keywait"), "_"});
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

// A 1x screenshot drawn twice as large by repeating each pixel: what the
// window would show if it only enlarged its pixels.
QImage PixelsDoubled(const QImage& image) { return image.scaled(image.size() * 2); }

int Blue(const QImage& image, QPoint at) { return qBlue(image.pixel(at)); }

TEST_F(ScreenTest, TwiceTheSizeKeepsTheLayoutAndLandsClicksWhereTheyAreDrawn) {
    dressAsAtStart();
    const QImage before = Screenshot();
    PressKey(Qt::Key_Plus, Qt::ControlModifier);
    PressKey(Qt::Key_Plus, Qt::ControlModifier);
    Form1& form = MainForm();
    EXPECT_EQ(form.window.drawnScale(), 2.0);
    EXPECT_EQ(form.window.qwidget()->size(), QSize(1268, 866));
    // What the story sees stays in 1x pixels.
    EXPECT_EQ(QRect(form.Picture1.left(), form.Picture1.top(), form.Picture1.width(),
                    form.Picture1.height()),
              QRect(8, 8, 484, 362));
    EXPECT_EQ(form.Command1[kNewGameButton].left(), 500);
    EXPECT_EQ(form.Label1.width(), 489);
    const QImage title = Screenshot();
    EXPECT_EQ(title.size(), QSize(1268, 866));
    // Text and captions are drawn anew at the scale, not as enlarged pixels.
    EXPECT_FALSE(title == PixelsDoubled(before));

    // The 1x place of "最初から遊ぶ" is on the CG window at 2x: nothing starts.
    ClickAt(QPoint(560, 100));
    EXPECT_EQ(Engine.JumpLabel, 1);
    EXPECT_EQ(messageText(), "");

    playToAChoice();  // New Game and Next as clicks, through the scaled window
    const QImage scaled = Screenshot();
    // The scene's one-pixel pattern of blue is resampled: halfway between.
    const QPoint inPicture = DrawnCentre(form.Picture1);
    EXPECT_GT(Blue(scaled, inPicture), 40);
    EXPECT_LT(Blue(scaled, inPicture), 215);

    // A choice taken where it is drawn.
    ClickAt(DrawnCentre(form.Command1[1]));
    EXPECT_TRUE(messageText().contains("end"));
    // The wheel over the message window reads on where the story waits.
    WheelAt(DrawnCentre(form.Label1), -120);
    EXPECT_TRUE(messageText().contains("more"));
}

TEST_F(ScreenTest, ToolTipsShowTheTextOfTheWidgetDrawnUnderThePointer) {
    dressAsAtStart();
    MainForm().window.setWindowedScale(1.5);
    for (const Widget* widget : {static_cast<const Widget*>(&MainForm().Label1),
                                 static_cast<const Widget*>(&MainForm().Picture1),
                                 static_cast<const Widget*>(&MainForm().Command1[kHelpButton])}) {
        const QPoint at = DrawnCentre(*widget);
        QWidget* under = WidgetAt(at);
        QHelpEvent help(QEvent::ToolTip, under->mapFrom(MainWindowWidget(), at),
                        MainWindowWidget()->mapToGlobal(at));
        QApplication::sendEvent(under, &help);
        EXPECT_EQ(QToolTip::text(), widget->toolTip());
    }
    QToolTip::hideText();
}

TEST_F(ScreenTest, StepsFitTheScreenAndCtrlZeroReturnsToTheWindowOfBefore) {
    dressAsAtStart();
    const QImage before = Screenshot();
    Window& window = MainForm().window;
    PressKey(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window.drawnScale(), 1.0);
    std::vector<double> steps;
    for (int i = 0; i < 4; ++i) {
        PressKey(Qt::Key_Plus, Qt::ControlModifier);
        steps.push_back(window.drawnScale());
    }
    // 3x (1902 x 1299) does not fit the 1920 x 1080 screen.
    EXPECT_EQ(steps, (std::vector<double>{1.5, 2.0, 2.0, 2.0}));
    PressKey(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(window.drawnScale(), 1.5);
    PressKey(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window.drawnScale(), 1.0);
    EXPECT_TRUE(Screenshot() == before);
}

TEST_F(ScreenTest, FullscreenFitsTheScreenOnBlackAndEscapeClosesHelpFirst) {
    dressAsAtStart();
    Window& window = MainForm().window;
    PressKey(Qt::Key_F11);
    ProcessPendingEvents();
    ASSERT_TRUE(window.isFullScreen());
    const QSize screen = MainWindowWidget()->screen()->geometry().size();
    EXPECT_EQ(MainWindowWidget()->size(), screen);
    const double factor = std::min(screen.width() / 634.0, screen.height() / 433.0);
    EXPECT_DOUBLE_EQ(window.drawnScale(), factor);
    const QPoint origin = window.drawnOrigin();
    EXPECT_NEAR(origin.x(), (screen.width() - 634 * factor) / 2, 1);
    EXPECT_NEAR(origin.y(), (screen.height() - 433 * factor) / 2, 1);
    const QImage full = Screenshot();
    EXPECT_EQ(full.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(full.pixel(origin + QPoint(2, 2) * factor), qRgb(0, 255, 0));  // the margin

    // New Game where it is drawn.
    writeScenario({Label(1), Line("msg", "fullscreen"), Line("keywait"), "_"});
    ClickAt(DrawnCentre(MainForm().Command1[kNewGameButton]));
    EXPECT_EQ(messageText(), "fullscreen\r\r");

    writeFile("Lanternwick.HLP", "help");
    ShowHelpContents(QStringLiteral("Lanternwick.HLP"), window);
    ASSERT_TRUE(HelpViewerOpen());
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(HelpViewerOpen());
    EXPECT_TRUE(window.isFullScreen());
    PressKey(Qt::Key_Escape);
    ProcessPendingEvents();
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_EQ(window.drawnScale(), 1.0);

    // Alt+Return and the window manager's maximise do what F11 does.
    PressKey(Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(window.isFullScreen());
    PressKey(Qt::Key_Return, Qt::AltModifier);
    EXPECT_FALSE(window.isFullScreen());
    MainWindowWidget()->setWindowState(Qt::WindowMaximized);
    ProcessPendingEvents();
    EXPECT_TRUE(window.isFullScreen());
    PressKey(Qt::Key_F11);
    ProcessPendingEvents();
    EXPECT_EQ(MainWindowWidget()->size(), QSize(634, 433));
    // The window manager's own fullscreen request (its title bar menu, a key
    // of its own) scales as F11 does, and its undoing returns to 1x.
    MainWindowWidget()->setWindowState(Qt::WindowFullScreen);
    ProcessPendingEvents();
    EXPECT_EQ(MainWindowWidget()->size(), screen);
    EXPECT_DOUBLE_EQ(window.drawnScale(), factor);
    MainWindowWidget()->setWindowState(Qt::WindowNoState);
    ProcessPendingEvents();
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_EQ(window.drawnScale(), 1.0);
    EXPECT_EQ(MainWindowWidget()->size(), QSize(634, 433));
}

// Whether each 2 x 2 block of `area` (at even places) is of one colour: what
// a picture enlarged by repeating its pixels shows.
bool OnlyDoubledPixels(const QImage& image, const QRect& area) {
    for (int y = area.top() & ~1; y < area.bottom(); y += 2) {
        for (int x = area.left() & ~1; x < area.right(); x += 2) {
            const QRgb first = image.pixel(x, y);
            if (image.pixel(x + 1, y) != first || image.pixel(x, y + 1) != first ||
                image.pixel(x + 1, y + 1) != first)
                return false;
        }
    }
    return true;
}

// On a screen of two pixels a point (QT_SCALE_FACTOR=2, set for a second run of
// this test in its own process, as a player's desktop sets it) the window
// keeps its size in points, its captions are drawn with the screen's pixels,
// and a click at a place where something is drawn lands on it.
TEST_F(ScreenTest, AtTwoPixelsAPointTextIsDrawnWithTheScreensPixels) {
    if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_SCALE_FACTOR", "2");
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {"--gtest_filter=ScreenTest.AtTwoPixelsAPointTextIsDrawnWithTheScreensPixels"});
        ASSERT_TRUE(run.waitForFinished(60000));
        const QByteArray output = run.readAll();
        EXPECT_EQ(run.exitCode(), 0) << output.constData();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
        return;
    }
    dressAsAtStart();
    QWidget* window = MainWindowWidget();
    ASSERT_EQ(window->devicePixelRatioF(), 2.0);
    EXPECT_EQ(window->size(), QSize(634, 433));
    // The offscreen platform's screenshot holds points, not pixels: the window
    // is drawn as the screen would show it.
    ProcessPendingEvents();
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(1268, 866));

    // The caption of "最初から遊ぶ" has edges finer than a point.
    const Widget& newGame = MainForm().Command1[kNewGameButton];
    const QRect drawnButton(QPoint(newGame.left(), newGame.top()) * 2,
                            QSize(newGame.width(), newGame.height()) * 2);
    EXPECT_FALSE(OnlyDoubledPixels(shot, drawnButton.adjusted(8, 8, -8, -8)));
    // Where the 1x window has the button's face, so has this one.
    const QImage before = QImage(ScreenFile("title")).convertToFormat(QImage::Format_RGB32);
    const QPoint faceAt1x(newGame.left() + 6, newGame.top() + newGame.height() / 2);
    EXPECT_EQ(shot.pixel(faceAt1x * 2), before.pixel(faceAt1x));

    // A click at the centre of the drawn button, in the window's points.
    writeScenario({Label(1), Line("msg", "sharp"), Line("keywait"), "_"});
    ClickAt(drawnButton.center() / 2);
    EXPECT_EQ(messageText(), "sharp\r\r");
}

}  // namespace

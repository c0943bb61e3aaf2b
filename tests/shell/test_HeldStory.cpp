// Presses, clicks and the close box while a voice or the ending holds the
// story: no press for reading on is kept for the story's next wait, the menu's
// own buttons act when the story next yields, and the quit question is asked
// at once. The second half does the same with a real X server and real key
// presses, whose events the toolkit queues on its own.

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QProcess>
#include <QThread>
#include <QWidget>

#include <deque>
#include <functional>

#include "platform/Events.h"
#include "scenario/Modes.h"
#include "shell/VersionBox.h"
#include "support/GameFixture.h"
#include "support/GameProcess.h"
#include "support/WaveFiles.h"

namespace {

// A stepped clock through which the player acts while the story is held: each
// hold first delivers the next of `inputs`, as the window system would while
// the voice plays.
class InputClock : public SteppedClock {
  public:
    void holdFor(int ms) override {
        if (everyHold) everyHold();
        if (!inputs.empty()) {
            const std::function<void()> input = inputs.front();
            inputs.pop_front();
            input();
        }
        SteppedClock::holdFor(ms);
    }
    std::deque<std::function<void()>> inputs;
    std::function<void()> everyHold;
};

void PressReturn() {
    QWidget* window = MainForm().window.qwidget();
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

class HeldStory : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetClock(&clock_);
        ASSERT_TRUE(WriteWave(QDir(dataDir()).filePath("voice.wav"), 8000, 1, WaveEncoding::Pcm16,
                              Sine(8000, 1, 440, 0.5)));
        MainForm().window.showCentred();
    }
    void TearDown() override {
        SetClock(nullptr);
        GameFixture::TearDown();
    }
    // Two pages with a voice at the end of the first.
    void writeVoicedStory() {
        writeScenario({Label(1), Line("msg", "one"), Line("say", "voice.wav"), Line("keywait"),
                       Line("msg", "two"), Line("keywait"), "_"});
    }

    InputClock clock_;
};

TEST_F(HeldStory, PressesAndNextClicksDuringAVoiceAreNotKeptForTheNextWait) {
    writeVoicedStory();
    MessageScript boxes;
    for (int i = 0; i < 3; ++i) {
        clock_.inputs.push_back(PressReturn);
        clock_.inputs.push_back([] { MainForm().Command1[kNextButton].click(); });
    }
    MainForm().Command1[kNewGameButton].click();
    QCoreApplication::processEvents();

    EXPECT_TRUE(clock_.inputs.empty());  // all were delivered during the voice
    EXPECT_EQ(messageText(), "one\r\r");
    EXPECT_EQ(Engine.WaitingForClick, -1);
    PressReturn();  // after the voice, a press reads on
    EXPECT_EQ(messageText(), "one\rtwo\r");
}

TEST_F(HeldStory, AMenuClickDuringAVoiceActsWhenTheStoryNextYields) {
    writeVoicedStory();
    MessageScript boxes;
    clock_.inputs.push_back([&boxes] {
        MainForm().Command1[kVersionButton].click();
        // Not during the voice: the box would open in the middle of it.
        EXPECT_TRUE(boxes.finished());
        boxes.expect(VersionBoxText());
    });
    MainForm().Command1[kNewGameButton].click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(Engine.WaitingForClick, -1);
}

TEST_F(HeldStory, TheCloseBoxIsAskedAtOnceDuringAVoiceAndTheEnding) {
    writeScenario({Label(1), Line("msg", "one"), Line("say", "voice.wav"), Line("msg", "said"),
                   Line("keywait"), Line("pg", "rtb3"), "_"});
    MessageScript boxes;
    bool heldWhileAsked = false;
    clock_.inputs.push_back([&] {
        boxes.expectQuitQuestion(MessageAnswer::No);
        EXPECT_FALSE(MainForm().window.requestClose());
        heldWhileAsked = StoryIsHeld() && boxes.finished();
    });
    MainForm().Command1[kNewGameButton].click();
    EXPECT_TRUE(heldWhileAsked);
    EXPECT_EQ(messageText(), "one\rsaid\r");  // いいえ: the voice was waited for to its end

    // はい during an ending line: the program ends there, no further line shows.
    clock_.inputs.push_back([&] {
        boxes.expectQuitQuestion(MessageAnswer::Yes);
        MainForm().window.requestClose();
    });
    const int64_t endingStart = clock_.milliseconds();
    PressReturn();
    EXPECT_TRUE(boxes.finished());
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_LT(clock_.milliseconds() - endingStart, 6000);
    EXPECT_TRUE(messageText().contains(QStringLiteral("それから１ヶ月後")));
}

// The ending's CG window keeps its place and size and shows the platform's
// window background, not the main window's green.
TEST_F(HeldStory, TheEndingsCgWindowShowsItsBackgroundAtItsSize) {
    writePicture("scene.png", 480, 358, 0x336699);
    writeScenario({Label(1), Line("cg", "scene.png"), Line("pg", "rtb3"), "_"});
    MessageScript boxes;
    Engine.ChoiceFlags[6] = 0;  // the normal ending
    // The window as it is while the closing line is shown.
    QImage seen;
    clock_.everyHold = [&] {
        if (seen.isNull() && MainForm().Label1.text().contains(QStringLiteral("Ｎｏｒｍａｌ")))
            seen = MainForm().window.qwidget()->grab().toImage();
    };
    MainForm().Command1[kNewGameButton].click();
    ASSERT_FALSE(seen.isNull());
    const QWidget* cg = MainForm().Picture1.qwidget();
    EXPECT_EQ(cg->geometry(), QRect(8, 8, 484, 362));
    const QRgb background = QApplication::palette().color(QPalette::Window).rgb();
    EXPECT_EQ(seen.pixel(cg->x() + 240, cg->y() + 180), background);
    EXPECT_EQ(seen.pixel(cg->x() + 10, cg->y() + 10), background);
}

// ---- on a real X server --------------------------------------------------------

// The game as its own process on Xvfb, pressed with xdotool: the events come
// through the X connection as a reader's do. The lines the story runs are read
// from its diagnostics.
class HeldStoryOnX : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(game_.isValid());
        ASSERT_TRUE(WritePicture(game_.filePath("Title.JPG"), 480, 358, 0x000080));
        ASSERT_TRUE(WriteWave(game_.filePath("voice.wav"), 8000, 1, WaveEncoding::Pcm16,
                              Sine(8000, 1, 440, 2.0)));
        server_.start("Xvfb",
                      {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        ASSERT_TRUE(server_.waitForReadyRead(10000)) << "Xvfb (package xvfb) did not start";
        display_ = ":" + QString::fromLatin1(server_.readAllStandardOutput().trimmed());
    }
    void TearDown() override {
        if (game_process_.state() != QProcess::NotRunning) {
            game_process_.kill();
            game_process_.waitForFinished(5000);
        }
        server_.kill();
        server_.waitForFinished(5000);
    }

    void start(const QByteArray& scenario) {
        ASSERT_FALSE(game_.write("Lanternwick.dat", scenario).isEmpty());
        QProcessEnvironment env = GameEnvironment(runtime_.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", display_);
        env.insert("QT_LOGGING_RULES", "lanternwick.scenario.debug=true");
        game_process_.setProcessEnvironment(env);
        game_process_.setWorkingDirectory(game_.path());
        game_process_.start(LANTERNWICK_GAME_BINARY, {});
        ASSERT_TRUE(game_process_.waitForStarted(10000));
        // The window is there once xdotool finds it.
        for (int i = 0; i < 100 && window_.isEmpty(); ++i) {
            window_ = xdotool({"search", "--onlyvisible", "--class", "lanternwick"})
                          .split('\n')
                          .value(0)
                          .trimmed();
            if (window_.isEmpty()) QThread::msleep(100);
        }
        ASSERT_FALSE(window_.isEmpty()) << errors().constData();
    }
    QByteArray xdotool(const QStringList& arguments) {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        tool.setProcessEnvironment(env);
        tool.start("xdotool", arguments);
        EXPECT_TRUE(tool.waitForFinished(10000)) << "xdotool (package xdotool) did not run";
        return tool.readAllStandardOutput();
    }
    // Clicks a button of the column at its place in the window.
    void clickButton(int index) {
        const int top = 10 + 42 * index;
        xdotool({"mousemove", "--window", window_, "564", QString::number(top + 16), "click", "1"});
    }
    void pressReturn() { xdotool({"key", "--window", window_, "Return"}); }
    QByteArray errors() {
        errors_ += game_process_.readAllStandardError();
        return errors_;
    }
    // Waits (a real process: time passes as it will) until the story has run
    // line `number` of the scenario.
    bool waitForLine(int number, int timeoutMs = 15000) {
        const QByteArray mark = "line " + QByteArray::number(number) + " ";
        for (int waited = 0; waited < timeoutMs; waited += 50) {
            if (errors().contains(mark)) return true;
            game_process_.waitForReadyRead(50);
        }
        return false;
    }

    TempFolder game_;
    TempFolder runtime_;
    QProcess server_;
    QProcess game_process_;
    QString display_;
    QString window_;
    QByteArray errors_;
};

TEST_F(HeldStoryOnX, KeysAndClicksDuringAVoiceDoNotReadOnAfterIt) {
    start(
        "_00001\r\n"
        "msg      one\r\n"        // line 2
        "say      voice.wav\r\n"  // line 3: two seconds
        "keywait \r\n"            // line 4
        "msg      two\r\n"        // line 5
        "keywait \r\n"
        "msg      three\r\n"
        "keywait \r\n"
        "_\r\n");
    clickButton(kNewGameButton);
    ASSERT_TRUE(waitForLine(3)) << errors().constData();
    pressReturn();
    pressReturn();
    clickButton(kNextButton);
    ASSERT_TRUE(waitForLine(4)) << errors().constData();
    // What was queued has long been delivered by now.
    QThread::msleep(1500);
    EXPECT_FALSE(errors().contains("line 5 ")) << errors().constData();
    // A press now, while the story waits, reads on.
    pressReturn();
    EXPECT_TRUE(waitForLine(5)) << errors().constData();
    EXPECT_FALSE(errors().contains("line 7 ")) << errors().constData();
}

}  // namespace

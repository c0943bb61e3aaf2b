// SIGTERM, SIGHUP and SIGINT sent to a real game process in each phase where
// it is busy: the voice wait, the ending's pauses, an animation, a message box.
// Each ends the program at once with the status shells expect. And an exit()
// from the toolkit.

#include <signal.h>

#include <QDir>
#include <QProcess>
#include <QThread>

#include "support/GameFixture.h"
#include "support/GameProcess.h"
#include "support/WaveFiles.h"

namespace {

struct Phase {
    const char* name;
    const char* scenario;  // ASCII, so also Shift-JIS
    const char* probeArgument;
};

class SignalsEndTheGame : public ::testing::TestWithParam<Phase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(game_.isValid());
        for (const char* picture : {"Title.JPG", "f.JPG"})
            ASSERT_TRUE(WritePicture(game_.filePath(picture), 480, 360, 0x000080));
        for (const char* wave : {"v.wav", "loop101s.wav"}) {
            ASSERT_TRUE(WriteWave(game_.filePath(wave), 8000, 1, WaveEncoding::Pcm16,
                                  Sine(8000, 1, 440, 20.0)));
        }
        ASSERT_FALSE(game_
                         .write("Lanternwick.dat", QByteArray("_00001\r\n") + GetParam().scenario +
                                                       "keywait \r\n_\r\n")
                         .isEmpty());
    }

    // Starts the game, waits for its "ready" (a real process starting up, not
    // a time to step), lets it get into the phase, and ends it with `end`.
    template <typename End>
    void start(QProcess& game, const QProcessEnvironment& env, End end) {
        game.setProcessEnvironment(env);
        game.setWorkingDirectory(game_.path());
        game.start(LANTERNWICK_SIGNAL_PROBE, {GetParam().probeArgument});
        ASSERT_TRUE(game.waitForReadyRead(30000)) << game.readAllStandardError().constData();
        ASSERT_TRUE(game.readAllStandardOutput().startsWith("ready"));
        QThread::msleep(300);
        ASSERT_EQ(game.state(), QProcess::Running);
        end();
        ASSERT_TRUE(game.waitForFinished(5000)) << "still running";
        EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
        errors_ = game.readAllStandardError();
        EXPECT_FALSE(errors_.contains("Sanitizer")) << errors_.constData();
        // The lock goes with the game, however it ends.
        EXPECT_TRUE(QDir(runtime_.path()).entryList({"lanternwick-*.lock"}).isEmpty());
    }
    void endWith(int signal, int expectedStatus) {
        QProcess game;
        start(game, GameEnvironment(runtime_.path()),
              [&] { kill(static_cast<pid_t>(game.processId()), signal); });
        EXPECT_EQ(game.exitCode(), expectedStatus) << "signal " << signal;
    }

    TempFolder game_;
    TempFolder runtime_;
    QByteArray errors_;  // the game's standard error, once it has ended
};

TEST_P(SignalsEndTheGame, WithTheQuitPathsStatus) {
    endWith(SIGTERM, 0);
    endWith(SIGHUP, 0);
    endWith(SIGINT, 130);
}

// A real X server that goes away under the game: the toolkit reports it and
// calls exit(); the game ends with a line of its own and status 1, the sound
// device and the files closed by statics that are still there.
TEST_P(SignalsEndTheGame, TheDisplayGoingAwayEndsItWithALine) {
    QProcess server;
    server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
    ASSERT_TRUE(server.waitForReadyRead(10000)) << "Xvfb (package xvfb) did not start";
    QProcessEnvironment env = GameEnvironment(runtime_.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", ":" + QString::fromLatin1(server.readAllStandardOutput().trimmed()));
    QProcess game;
    start(game, env, [&] {
        server.kill();
        server.waitForFinished(5000);
    });
    EXPECT_EQ(game.exitCode(), 1);
    EXPECT_TRUE(errors_.contains("lanternwick: the window system ended")) << errors_.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Phases, SignalsEndTheGame,
    ::testing::Values(Phase{"TitleMusic", "", "box"},
                      Phase{"Voice", "bgm      v\r\nsay      v.wav\r\n", ""},
                      Phase{"Ending", "pg       rtb3\r\n", ""},
                      Phase{"Animation",
                            "anime    f.JPG       f.JPG       f.JPG       f.JPG       f.JPG       "
                            "f.JPG       f.JPG       f.JPG       f.JPG       f.JPG       \r\n",
                            ""}),
    [](const ::testing::TestParamInfo<Phase>& info) { return info.param.name; });

// The toolkit calls exit() when the display goes away: the game ends as by its
// own end, with a line on standard error, not through the statics' destructors.
TEST(ForeignExit, EndsTheGameWithALineOnStandardError) {
    const TempFolder game, runtime;
    ASSERT_TRUE(WritePicture(game.filePath("Title.JPG"), 480, 358, 0x000080));
    QProcess probe;
    probe.setProcessEnvironment(GameEnvironment(runtime.path()));
    probe.setWorkingDirectory(game.path());
    probe.start(LANTERNWICK_SIGNAL_PROBE, {"exit"});
    ASSERT_TRUE(probe.waitForFinished(30000));
    EXPECT_EQ(probe.exitCode(), 1);
    EXPECT_TRUE(probe.readAllStandardError().contains("lanternwick: the window system ended"));
    EXPECT_TRUE(QDir(runtime.path()).entryList({"lanternwick-*.lock"}).isEmpty());
}

}  // namespace

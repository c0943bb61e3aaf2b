// Start-up: the dressed window, the title picture, the font size, --warp and a
// game folder, and the refusal of a second copy (with real processes).

#include <QColor>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "platform/SingleInstance.h"
#include "shell/Form2.h"
#include "shell/Main.h"
#include "shell/StartOptions.h"
#include "support/GameFixture.h"
#include "support/GameProcess.h"

namespace {

class StartUp : public GameFixture {
  protected:
    void SetUp() override {
        GameFixture::SetUp();
        DestroyMainForm();
        DestroySoundWindow();
        ResetEngineState();
        lockPath_ = lockDir_.filePath("test.lock").toUtf8();
        SetSingleInstanceLockPath(lockPath_.constData());
    }
    void TearDown() override {
        ReleaseSingleInstance();
        SetSingleInstanceLockPath("");
        SetNewGameLabel(1);
        GameFixture::TearDown();
    }
    void writeTitle() { writePicture("Title.JPG", 480, 358, 0x000080); }
    TempFolder lockDir_;
    QByteArray lockPath_;
};

TEST_F(StartUp, MainDressesAndShowsTheWindow) {
    writeTitle();
    MessageScript boxes;
    Main();
    Form1& form = MainForm();
    EXPECT_FALSE(ProgramHasEnded());
    EXPECT_TRUE(form.window.isShown());
    EXPECT_EQ(form.window.title(), QStringLiteral("ランタンウィック"));
    EXPECT_EQ(Engine.AppDir, QDir::currentPath() + "/");
    EXPECT_NEAR(qBlue(form.Picture1.pixel(240, 179)), 128, 4);  // dark blue, give or take JPEG
    EXPECT_EQ(form.RpgPic1.width(), 0);
    EXPECT_DOUBLE_EQ(form.Label1.fontPoints(), 12);
    EXPECT_EQ(form.Command1[9].top(), 10 + 42 * 9);
    EXPECT_EQ(form.Command1[2].caption(), QStringLiteral("最初から遊ぶ"));
    EXPECT_EQ(Engine.JumpLabel, 1);
    EXPECT_EQ(Engine.WaitingForClick, 0);
    for (int16_t flag : Engine.ChoiceFlags)
        EXPECT_EQ(flag, -1);
    EXPECT_TRUE(SoundWindowExists());
    // The message font follows the screen density.
    EXPECT_EQ(MessageFontPoints(15), 12);  // 96 dpi
    EXPECT_EQ(MessageFontPoints(12), 9);   // 120 dpi
    EXPECT_EQ(MessageFontPoints(10), 8);   // 144 dpi
}

TEST_F(StartUp, AMissingOrBrokenTitlePictureEndsBeforeTheWindowShows) {
    for (int broken = 0; broken < 2; ++broken) {
        if (broken) writeFile("Title.JPG", "this is no picture");
        MessageScript boxes;
        boxes.expectContaining(QStringLiteral("タイトル画像「Title.JPG」を読み込めませんでした。"));
        Main();
        EXPECT_EQ(ProgramEndCount(), 1 + broken);
        EXPECT_FALSE(MainForm().window.isShown());
        ReleaseSingleInstance();
    }
}

TEST_F(StartUp, LockOfACopyThatDiedIsTakenOverOneThatCannotBeReadIsReported) {
    writeTitle();
    // A process number that is not running.
    ASSERT_FALSE(lockDir_
                     .write("test.lock", "2147483000\nlanternwick\n" +
                                             QSysInfo::machineHostName().toUtf8() + "\n")
                     .isEmpty());
    EXPECT_TRUE(ClaimSingleInstance());
    ReleaseSingleInstance();
    QFile::remove(QString::fromUtf8(lockPath_));
    // Root reads any file, so the unreadable lock is a folder in the lock's place.
    ASSERT_TRUE(QDir().mkpath(QString::fromUtf8(lockPath_)));
    MessageScript boxes;
    boxes.expectContaining(
        QStringLiteral("ロックファイル「%1」を読めないので").arg(QString::fromUtf8(lockPath_)));
    Main();
    EXPECT_EQ(ProgramEndCount(), 1);
    EXPECT_FALSE(MainForm().window.isShown());
}

TEST_F(StartUp, WarpNewGameStartsAtTheLabelInTheFolderGivenAMissingLabelIsRefused) {
    writeTitle();
    writeScenario({Label(1), Line("msg", "one"), Line("keywait"), Label(7), Line("msg", "seven"),
                   Line("keywait"), "_"});
    MessageScript boxes;
    const QString folder = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    Main({.gameDir = folder, .newGameLabel = 7});
    ASSERT_FALSE(ProgramHasEnded());
    EXPECT_EQ(Engine.AppDir, folder + "/");
    newGame();
    EXPECT_TRUE(messageText().startsWith("seven"));

    ReleaseSingleInstance();
    boxes.expectContaining(QStringLiteral("「_00008」がシナリオにありません"));
    Main({.gameDir = folder, .newGameLabel = 8});
    EXPECT_EQ(ProgramEndCount(), 1);
}

// ---- a real second process -------------------------------------------------

TEST_F(StartUp, SecondCopyIsRefusedAndTheFirstRunsOn) {
    writeTitle();
    const TempFolder runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess first;
    first.setProcessEnvironment(GameEnvironment(runtime.path()));
    first.setWorkingDirectory(dataDir());
    first.start(LANTERNWICK_GAME_BINARY, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy holds its lock once it is up; wait for that (a real process
    // starting, not a time to step).
    const QString lock = runtime.path() + QStringLiteral("/lanternwick-%1.lock").arg(getuid());
    for (int i = 0; i < 1000 && !QFile::exists(lock); ++i)
        QThread::msleep(10);
    ASSERT_TRUE(QFile::exists(lock));

    QProcess second;
    second.setProcessEnvironment(GameEnvironment(runtime.path()));
    second.setWorkingDirectory(dataDir());
    second.start(LANTERNWICK_SECOND_COPY_PROBE, {});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardOutput()).trimmed(), kSecondCopyMessage);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError()).contains(kSecondCopyMessage));

    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

// A start that cannot bring up the window system or show Japanese says why:
// Qt's own reason, or the package that holds the faces.
TEST_F(StartUp, WithoutAUsablePlatformOrAJapaneseFaceTheStartSaysWhy) {
    writeTitle();
    const TempFolder runtime;
    const QString config =
        runtime.write("fonts.conf", "<?xml version=\"1.0\"?><fontconfig><cachedir>" +
                                        runtime.path().toUtf8() + "</cachedir></fontconfig>");
    struct Row {
        const char* variable;
        QString value;
        const char* says;
    };
    for (const Row& row : {Row{"QT_QPA_PLATFORM", "nosuch", "platform plugin \"nosuch\""},
                           Row{"FONTCONFIG_FILE", config, "fonts-ipafont-gothic"}}) {
        QProcessEnvironment env = GameEnvironment(runtime.path());
        env.insert(row.variable, row.value);
        QProcess game;
        game.setProcessEnvironment(env);
        game.setWorkingDirectory(dataDir());
        game.start(LANTERNWICK_GAME_BINARY, {});
        ASSERT_TRUE(game.waitForFinished(30000)) << row.variable;
        EXPECT_EQ(game.exitCode(), 1) << row.variable;
        const QString errors = QString::fromLocal8Bit(game.readAllStandardError());
        EXPECT_TRUE(errors.contains(row.says)) << errors.toStdString();
        EXPECT_FALSE(errors.contains("DISPLAY")) << errors.toStdString();
    }
    EXPECT_TRUE(QDir(runtime.path()).entryList({"lanternwick-*.lock"}).isEmpty());
}

}  // namespace

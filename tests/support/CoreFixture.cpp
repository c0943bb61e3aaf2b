#include "support/CoreFixture.h"

#include "platform/ProgramEnd.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "platform/mci/Mci.h"
#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "scenario/Modes.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioReader.h"

static Stage* g_stage = nullptr;
static SoundWindow* g_soundWindow = nullptr;

QByteArray ScenarioBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += EncodeAnsi(line) + "\r\n";
    return bytes;
}

void CoreFixture::SetUp() {
    dir_ = std::make_unique<TempFolder>(TempFolder::Entered);
    ASSERT_TRUE(dir_->isValid());

    soundWindow_ = std::make_unique<PlainSoundWindow>();
    g_stage = &stage_;
    g_soundWindow = soundWindow_.get();
    SetStageProvider([]() -> Stage& { return *g_stage; });
    SetSoundWindowProvider([]() -> SoundWindow& { return *g_soundWindow; });

    SetClock(&clock_);
    // No wave of an earlier test stays open; sound follows this test's clock.
    ResetMediaControl();
    ResetProgramEnd();
    CloseAllFiles();
    ResetEngineState();
    ResetScenarioReader();
    ResetMessageWindow();
    Engine.AppDir = dir_->path() + QLatin1Char('/');
    Engine.ChoiceFlags.fill(-1);
    Engine.JumpLabel = 1;
}

void CoreFixture::TearDown() {
    CloseAllFiles();
    ResetMediaControl();
    SetStageProvider(nullptr);
    SetSoundWindowProvider(nullptr);
    soundWindow_.reset();
    SetClock(nullptr);
    dir_.reset();
}

void CoreFixture::writeScenario(const QStringList& lines) {
    writeFile(QStringLiteral("Lanternwick.dat"), ScenarioBytes(lines));
}

void CoreFixture::writeFile(const QString& name, const QByteArray& bytes) {
    ASSERT_FALSE(dir_->write(name, bytes).isEmpty());
}

void CoreFixture::play(const QStringList& body) {
    writeScenario(QStringList{QStringLiteral("_00001")} + body + QStringList{QStringLiteral("_")});
    newGame();
}

void CoreFixture::newGame() {
    Engine.MenuMode = kSystemMenuMode;
    CurrentStage().ShowSystemMenu();
    Engine.JumpLabel = 1;
    RunScenario();
}

void CoreFixture::next() {
    if (Engine.WaitingForClick != -1) return;
    Engine.WaitingForClick = 0;
    CurrentStage().Command1(kNextButton).setStrikethrough(true);
    RunScenario();
}

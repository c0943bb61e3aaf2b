// The interpreter on a headless stage: the input's first part (up to two NUL
// bytes in a row) is the scenario; each byte after it is a click between two
// runs: Next, a choice button, New Game, or time for the animation and the
// music monitors to move on. Boxes are answered OK, and No to the quit question.
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "platform/mci/Mci.h"
#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "scenario/Modes.h"
#include "scenario/RunScenario.h"
#include "scenario/ScenarioReader.h"
#include "support/RecordingStage.h"

namespace {

RecordingStage* g_stage = nullptr;
PlainSoundWindow* g_sound = nullptr;

constexpr int kMaxClicks = 200;

void Click(uint8_t byte, SteppedClock& clock) {
    switch (byte % 4) {
        case 0:  // Next
            if (Engine.WaitingForClick != -1) return;
            Engine.WaitingForClick = 0;
            RunScenario();
            return;
        case 1: {  // a choice: its label, as the choice click takes it
            const int16_t target = Engine.ChoiceTargets[(byte / 4) % Engine.ChoiceTargets.size()];
            if (Engine.WaitingForClick != -1 || target == 0) return;
            Engine.WaitingForClick = 0;
            Engine.JumpLabel = target;
            RunScenario();
            return;
        }
        case 2:  // New Game
            Engine.MenuMode = kSystemMenuMode;
            Engine.JumpLabel = 1;
            RunScenario();
            return;
        default: clock.advance(byte);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "interpreter_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static const FuzzFolder folder;
    static const bool once = [] {
        InterceptProgramEnd(true);
        SetMessageResponder([](const QString&, MessageStyle style) {
            return style == MessageStyle::YesNoQuestion ? MessageAnswer::No : MessageAnswer::Ok;
        });
        SetStageProvider([]() -> Stage& { return *g_stage; });
        SetSoundWindowProvider([]() -> SoundWindow& { return *g_sound; });
        return true;
    }();
    static_cast<void>(once);

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype split = input.indexOf(QByteArray("\0\0", 2));
    if (split < 0) split = input.size();
    folder.write(QStringLiteral("Lanternwick.dat"), input.left(split));

    SteppedClock clock;
    SetClock(&clock);
    {
        RecordingStage stage;
        PlainSoundWindow sound;
        g_stage = &stage;
        g_sound = &sound;
        ResetMediaControl();
        ResetProgramEnd();
        ResetEngineState();
        ResetScenarioReader();
        ResetMessageWindow();
        Engine.AppDir = folder.path() + QLatin1Char('/');
        Engine.ChoiceFlags.fill(-1);
        Engine.MenuMode = kSystemMenuMode;
        Engine.JumpLabel = 1;
        RunScenario();
        int clicks = 0;
        for (qsizetype i = split + 2; i < input.size() && clicks < kMaxClicks; ++i, ++clicks) {
            if (ProgramHasEnded()) break;
            Click(static_cast<uint8_t>(input[i]), clock);
        }
        CloseAllFiles();
        ResetMediaControl();
        ResetScenarioReader();
    }
    SetClock(nullptr);
    return 0;
}

#include "scenario/RoutineCommands.h"

#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "scenario/Ending.h"
#include "scenario/EngineState.h"
#include "scenario/Modes.h"
#include "scenario/Stage.h"

namespace {

void ConfirmQuit() { CurrentStage().ConfirmQuit(); }

struct Routine {
    const char* name;
    void (*run)();
};

// Compared in this order, character for character.
constexpr Routine kRoutines[] = {
    {"render", ConfirmQuit},
    {"rtb1", HideUsedChoices},
    {"rtb2", MarkChoiceUsed},
    {"rtb3", PlayEnding},
};

bool TakeRoutine(const CommandArguments& args) {
    Engine.RoutineName = args.rest.toLower();
    RunBuiltinRoutine();
    return true;
}

}  // namespace

bool PgCommand(const CommandArguments& args) { return TakeRoutine(args); }

bool PgnextCommand(const CommandArguments& args) { return TakeRoutine(args); }

void RunBuiltinRoutine() {
    for (const Routine& routine : kRoutines) {
        if (Engine.RoutineName == QLatin1String(routine.name)) {
            routine.run();
            return;
        }
    }
    ShowMessage(Engine.RoutineName + QStringLiteral(":PG命令の動作不正！強制終了します。"),
                MessageStyle::OkOnly);
    EndProgram(1);
}

bool IsBuiltinRoutine(const QString& name) {
    for (const Routine& routine : kRoutines) {
        if (name == QLatin1String(routine.name)) return true;
    }
    return false;
}

void HideUsedChoices() {
    for (int i = 0; i <= kLastHideableChoice; ++i) {
        if (Engine.ChoiceFlags[static_cast<size_t>(i)] == 0)
            CurrentStage().Command1(i).setVisible(false);
    }
}

void MarkChoiceUsed() {
    // Button 10 has no flag: a choice made with it marks nothing.
    if (Engine.SelectedChoice < 0 || Engine.SelectedChoice > kLastChoiceFlagButton) return;
    Engine.ChoiceFlags[static_cast<size_t>(Engine.SelectedChoice)] = 0;
}

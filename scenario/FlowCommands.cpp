#include "scenario/FlowCommands.h"

#include "platform/Logging.h"
#include "scenario/ArgumentRules.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioError.h"
#include "scenario/Stage.h"

bool NextCommand(const CommandArguments& args) {
    const Checked<int16_t> label = NextTarget(args.rest);
    if (!UsableOrReported(label, args.line)) return false;
    Engine.JumpLabel = *label;
    qCDebug(lcScenario) << "next: jump to label" << *label;
    return true;
}

bool SysmodeCommand(const CommandArguments& args) {
    Engine.SysMode = SysModeOf(args.rest);
    Engine.MenuMode = Engine.SysMode;
    CurrentStage().ArrangeButtons();
    CurrentStage().ShowSystemMenu();
    return true;
}

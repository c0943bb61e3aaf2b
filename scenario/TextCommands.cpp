#include "scenario/TextCommands.h"

#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "scenario/Modes.h"
#include "scenario/RunScenario.h"
#include "scenario/Stage.h"

bool MsgCommand(const CommandArguments& args) {
    MessageOut(args.rest);
    return true;
}

bool MsgclsCommand(const CommandArguments&) {
    MessageOut(kClearWord);
    return true;
}

bool MsgtopCommand(const CommandArguments& args) {
    MessageOut(kClearWord);
    MessageOut(args.rest);
    return true;
}

void WaitForNext() {
    if (NextIsButton9(Engine.SysMode)) {
        // Let clicks queued during the run arrive while WaitingForClick is still 0,
        // so they are ignored rather than taken as Next.
        if (!YieldToPlayer()) return;
        Engine.WaitingForClick = -1;
        CurrentStage().Command1(kNextButton).setStrikethrough(false);
    } else if (Engine.SysMode == kNextOnButton10Mode) {
        StageButton& next = CurrentStage().Command1(kButtonTen);
        next.setVisible(true);
        next.setCaption(kNextCaption);
        next.setToolTip(kNextToolTip);
        Engine.WaitingForClick = -1;
    }
}

bool KeywaitCommand(const CommandArguments&) {
    WaitForNext();
    return true;
}

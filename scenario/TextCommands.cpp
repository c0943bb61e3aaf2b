#include "scenario/TextCommands.h"

#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"

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
    if (Engine.SysMode <= 4) {
        // Let clicks queued during the run arrive while WaitingForClick is still 0,
        // so they are ignored rather than taken as Next.
        if (!YieldToPlayer()) return;
        Engine.WaitingForClick = -1;
        MainForm().Command1[9].setStrikethrough(false);
    } else if (Engine.SysMode == 5) {
        PushButton& next = MainForm().Command1[10];
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

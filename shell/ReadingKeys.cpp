#include "shell/ReadingKeys.h"

#include "platform/Events.h"
#include "scenario/EngineState.h"
#include "scenario/Modes.h"
#include "shell/Form1.h"
#include "shell/SystemMenu.h"

namespace {

bool ChoiceWaits() { return Engine.MenuMode == kChoiceMode && Engine.WaitingForClick == -1; }

// Buttons a stray key must not press: the menu's quit and New Game.
bool Harmful(int button) {
    return Engine.MenuMode == kSystemMenuMode &&
           (button == kQuitButton || button == kNewGameButton);
}

}  // namespace

int WaitingNextButton() {
    if (Engine.WaitingForClick != -1) return -1;
    if (Engine.MenuMode == kSystemMenuMode && NextIsButton9(Engine.SysMode) &&
        !MenuReturnsToGame(Engine.SysMode))
        return kNextButton;
    if (Engine.MenuMode == kNextOnButton10Mode) return kButtonTen;
    return -1;
}

void ReadOn() {
    // Pressed during a voice or the ending: the story does not wait, and the
    // press must not carry over to its next wait.
    if (StoryIsHeld()) return;
    const int next = WaitingNextButton();
    if (next < 0) return;
    Command1_Click(static_cast<int16_t>(next));
    SettleFocus();
}

void SettleFocus() {
    Form1& form = MainForm();
    const int next = WaitingNextButton();
    if (next >= 0) {
        form.Command1[next].setFocused();
        return;
    }
    if (ChoiceWaits()) {
        form.window.focusNothing();
        return;
    }
    for (int i = 0; i < form.Command1.count(); ++i) {
        PushButton& button = form.Command1[i];
        if (!button.hasFocus()) continue;
        if (Harmful(i) || !button.takesKeys() || !button.isVisible()) form.window.focusNothing();
        return;
    }
}

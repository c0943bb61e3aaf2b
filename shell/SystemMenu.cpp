#include "shell/SystemMenu.h"

#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "scenario/EngineState.h"
#include "scenario/RoutineCommands.h"
#include "scenario/RunScenario.h"
#include "shell/Form1.h"
#include "shell/Quit.h"
#include "shell/StartOptions.h"
#include "shell/VersionBox.h"

namespace {

struct MenuEntry {
    int button;
    const char16_t* caption;
    const char16_t* toolTip;
};

// The system menu. Button 9 is dressed separately: it is Next, or "return to the
// game" in the modes where the menu interrupts a choice.
constexpr MenuEntry kSystemMenu[] = {
    {kQuitButton, u"ゲーム終了", u"End Game"},
    {kNewGameButton, u"最初から遊ぶ", u"New Game"},
    {kHelpButton, u"遊び方の説明", u"Help"},
    {kVersionButton, u"バージョン情報", u"Vesion"},
};
constexpr int kHiddenInMenu[] = {1, 3, kNotReadyButton, 7, 8, kButtonTen};

bool ReturnsToGame() { return MenuReturnsToGame(Engine.SysMode); }

void NewGame() { StartStoryAt(NewGameLabel()); }

void NextOrReturn() {
    if (Engine.WaitingForClick != -1) return;
    if (ReturnsToGame()) {
        Engine.MenuMode = Engine.SysMode;
        ArrangeButtons();
        ShowSystemMenu();
        Engine.WaitingForClick = 0;
        MainForm().Command1[kButtonTen].setVisible(false);
        return;
    }
    Engine.WaitingForClick = 0;
    MainForm().Command1[kNextButton].setStrikethrough(true);
    RunScenario();
}

void SystemMenuClick(int16_t index) {
    switch (index) {
        case kQuitButton: ConfirmQuit(); break;
        case kNewGameButton: NewGame(); break;
        case kNotReadyButton:
        case kButtonTen: ShowMessage(kNotReadyMessage, MessageStyle::OkOnly); break;
        case kHelpButton: ShowHelpContents(kHelpFileName, MainForm().window); break;
        case kVersionButton: ShowVersionBox(); break;
        case kNextButton: NextOrReturn(); break;
        default: break;  // 1, 3, 7, 8: nothing
    }
}

void ChoiceClick(int16_t index) {
    if (Engine.WaitingForClick != -1) return;
    if (index == kQuitButton && Engine.SysMode == kMenuOverChoicesMode) {
        // Button 0 opens the menu; the choice stays pending behind it.
        Engine.MenuMode = kSystemMenuMode;
        ArrangeButtons();
        ShowSystemMenu();
        return;
    }
    Engine.WaitingForClick = 0;
    MainForm().Command1[kNextButton].setStrikethrough(true);
    Engine.MenuMode = Engine.SysMode;
    Engine.SelectedChoice = index;
    ShowSystemMenu();
    Engine.JumpLabel = Engine.ChoiceTargets.at(static_cast<size_t>(index));
    RunScenario();
}

// In mode 5 the story's Next button is button 10, while the menu mode is 5 too;
// a click on it while the story waits lets the story go on, as Next does.
void NextOnButtonTenClick(int16_t index) {
    if (index != kButtonTen || Engine.WaitingForClick != -1) return;
    Engine.WaitingForClick = 0;
    RunScenario();
}

}  // namespace

void StartStoryAt(int16_t label) {
    // An animation still playing would resume the old story at its last frame.
    MainForm().Animer1.setInterval(0);
    Engine.MenuMode = kSystemMenuMode;
    ShowSystemMenu();
    Engine.JumpLabel = label;
    RunScenario();
}

void ArrangeButtons() {
    Form1& form = MainForm();
    for (int i = 0; i <= 9; ++i) {
        form.Command1[i].setLeft(500);
        form.Command1[i].setTop(10 + 42 * i);
        form.Command1[i].setWidth(kButtonWidth);
        form.Command1[i].setHeight(33);
    }
}

void ShowSystemMenu() {
    Form1& form = MainForm();
    for (int i = 0; i < kButtonCount; ++i) {
        form.Command1[i].setVisible(true);
        form.Command1[i].setCaption(QString());
        form.Command1[i].setToolTip(QString());
        form.Command1[i].clearPicture();
    }
    if (Engine.MenuMode != kSystemMenuMode) return;

    for (const MenuEntry& entry : kSystemMenu) {
        form.Command1[entry.button].setCaption(QString::fromUtf16(entry.caption));
        form.Command1[entry.button].setToolTip(QString::fromUtf16(entry.toolTip));
    }
    for (int hidden : kHiddenInMenu)
        form.Command1[hidden].setVisible(false);

    PushButton& button9 = form.Command1[kNextButton];
    if (ReturnsToGame()) {
        button9.setCaption(kReturnCaption);
        button9.setToolTip(kReturnToolTip);
        button9.setStrikethrough(false);
    } else {
        // The strikethrough stays as it is: it tells whether the story waits.
        button9.setCaption(kNextCaption);
        button9.setToolTip(kNextToolTip);
    }
}

// The click table: what a click means in each menu mode.
void Command1_Click(int16_t index) {
    if (index < 0 || index >= kButtonCount) return;
    switch (Engine.MenuMode) {
        case kSystemMenuMode: SystemMenuClick(index); break;
        case kChoiceMode: ChoiceClick(index); break;
        case kRoutineMode: RunBuiltinRoutine(); break;
        case kNextOnButton10Mode: NextOnButtonTenClick(index); break;
        default: break;  // the scenario's own modes: clicks do nothing
    }
}

bool ActsOnlyWhileTheStoryWaits(int16_t index) {
    switch (Engine.MenuMode) {
        case kSystemMenuMode: return index == kNextButton;
        case kRoutineMode: return false;
        default: return true;  // choices, mode 5's Next; the other modes do nothing
    }
}

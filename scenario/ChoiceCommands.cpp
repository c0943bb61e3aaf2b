#include "scenario/ChoiceCommands.h"

#include "scenario/ArgumentRules.h"
#include "scenario/EngineState.h"
#include "scenario/Modes.h"
#include "scenario/ScenarioError.h"
#include "scenario/Stage.h"
#include "scenario/StageLayout.h"
#include "scenario/TextCommands.h"

namespace {

// The button a `bottxt2` or `botpic` line addresses, or nothing after reporting.
StageButton* AddressedButton(const CommandArguments& args, const char* command) {
    const Checked<int> index = ButtonIndex(args.comma.index, command);
    if (!UsableOrReported(index, args.line)) return nullptr;
    return &CurrentStage().Command1(*index);
}

}  // namespace

bool NextbotCommand(const CommandArguments& args) {
    const auto targets = ChoiceTargetFields(args.line);
    if (!UsableOrReported(targets, args.line)) return false;
    std::copy(targets->begin(), targets->end(), Engine.ChoiceTargets.begin());
    return true;
}

bool BotclsCommand(const CommandArguments&) {
    for (int i = 0; i < kButtonCount; ++i) {
        StageButton& button = CurrentStage().Command1(i);
        button.setVisible(false);
        button.setCaption(QString());
        button.setToolTip(QString());
        button.clearPicture();
    }
    return true;
}

bool Bottxt2Command(const CommandArguments& args) {
    StageButton* button = AddressedButton(args, "bottxt2");
    if (!button) return false;
    button->setCaption(args.comma.text);
    button->setToolTip(args.comma.toolTip);
    button->setVisible(true);
    return true;
}

bool BotpicCommand(const CommandArguments& args) {
    StageButton* button = AddressedButton(args, "botpic");
    if (!button) return false;
    // Named as written, relative to the current directory (not AppDir).
    const QString file = FileNameOf(args.comma.text);
    if (!button->setPicture(file)) {
        ReportScenarioError(
            QStringLiteral("ボタンの絵「%1」が見つからないか、絵として読めません。").arg(file),
            args.line);
        return false;
    }
    button->setToolTip(args.comma.toolTip);
    button->setVisible(true);
    return true;
}

bool BotwaitCommand(const CommandArguments&) {
    if (NextIsButton9(Engine.SysMode)) Engine.MenuMode = kChoiceMode;
    WaitForNext();
    return true;
}

bool BotrpgCommand(const CommandArguments&) { return true; }

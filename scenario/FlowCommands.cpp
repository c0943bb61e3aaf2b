#include "scenario/FlowCommands.h"

#include "platform/Logging.h"
#include "scenario/EngineState.h"
#include "scenario/Numbers.h"
#include "scenario/ScenarioError.h"
#include "shell/SystemMenu.h"

bool NextCommand(const CommandArguments& args) {
    const QString& text = args.rest;
    if (text.trimmed().isEmpty()) {
        ReportScenarioError(QStringLiteral("「next」の行き先のラベル番号がありません。"
                                           "10 文字目から番号を書いてください。"),
                            args.line);
        return false;
    }
    const std::optional<double> number = WholeNumber(text);
    if (!number) {
        ReportScenarioError(
            QStringLiteral("「next」の行き先「%1」が数ではありません。").arg(text.trimmed()),
            args.line);
        return false;
    }
    const std::optional<int16_t> label = FlooredInt16(*number);
    if (!label) {
        ReportScenarioError(QStringLiteral("「next」の行き先「%1」は -32768 から 32767 の"
                                           "範囲を超えています。")
                                .arg(text.trimmed()),
                            args.line);
        return false;
    }
    Engine.JumpLabel = *label;
    qCDebug(lcScenario) << "next: jump to label" << *label;
    return true;
}

bool SysmodeCommand(const CommandArguments& args) {
    const QChar last = args.rest.isEmpty() ? QChar() : args.rest.front();
    const bool digit = last.unicode() >= '0' && last.unicode() <= '9';
    Engine.SysMode = digit ? static_cast<uint8_t>(last.unicode() - '0') : 0;
    Engine.MenuMode = Engine.SysMode;
    ArrangeButtons();
    ShowSystemMenu();
    return true;
}

#include "scenario/ChoiceCommands.h"

#include <optional>

#include "scenario/EngineState.h"
#include "scenario/Numbers.h"
#include "scenario/ScenarioError.h"
#include "scenario/TextCommands.h"
#include "shell/Form1.h"

namespace {

constexpr int kTargetFields = 10;

// Column of `nextbot` field k: 10, 16, 22, ... 64.
int TargetColumn(int k) { return 10 + 6 * k; }

// The button of the comma form's index character: a hexadecimal digit, where
// anything that is not one addresses button 0. "b" to "f" name buttons that do
// not exist.
std::optional<int> ButtonIndex(const CommandArguments& args, const char* command) {
    const QChar c = args.comma.index;
    bool isHex = false;
    const int value = QString(c).toInt(&isHex, 16);
    if (!isHex || c.unicode() >= 128) return 0;
    if (value > 10) {
        ReportScenarioError(QStringLiteral("「%1」のボタン番号「%2」のボタンはありません。"
                                           "使えるのは 0～9 と a（10 番）です。")
                                .arg(QLatin1String(command), QString(c)),
                            args.line);
        return std::nullopt;
    }
    return value;
}

// Trailing blanks are no part of a file name.
QString FileName(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

}  // namespace

bool NextbotCommand(const CommandArguments& args) {
    std::array<int16_t, kTargetFields> targets{};
    for (int k = 0; k < kTargetFields; ++k) {
        const int column = TargetColumn(k);
        const QString field = args.line.columns(column, 5);
        const QString where =
            QStringLiteral("「nextbot」の %1 番目の行き先（%2 文字目から 5 文字）")
                .arg(k + 1)
                .arg(column);
        if (field.trimmed().isEmpty()) {
            ReportScenarioError(
                where + QStringLiteral("がありません。10 個の行き先をすべて書いてください"
                                       "（行き先のないボタンは 00000）。"),
                args.line);
            return false;
        }
        const std::optional<double> number = WholeNumber(field);
        const std::optional<int16_t> label = number ? RoundedInt16(*number) : std::nullopt;
        if (!label) {
            ReportScenarioError(
                where + QStringLiteral("「%1」がラベル番号として読めません。").arg(field),
                args.line);
            return false;
        }
        targets[static_cast<size_t>(k)] = *label;
    }
    std::copy(targets.begin(), targets.end(), Engine.ChoiceTargets.begin());
    return true;
}

bool BotclsCommand(const CommandArguments&) {
    for (int i = 0; i < kButtonCount; ++i) {
        PushButton& button = MainForm().Command1[i];
        button.setVisible(false);
        button.setCaption(QString());
        button.setToolTip(QString());
        button.clearPicture();
    }
    return true;
}

bool Bottxt2Command(const CommandArguments& args) {
    const std::optional<int> index = ButtonIndex(args, "bottxt2");
    if (!index) return false;
    PushButton& button = MainForm().Command1[*index];
    button.setCaption(args.comma.text);
    button.setToolTip(args.comma.toolTip);
    button.setVisible(true);
    return true;
}

bool BotpicCommand(const CommandArguments& args) {
    const std::optional<int> index = ButtonIndex(args, "botpic");
    if (!index) return false;
    PushButton& button = MainForm().Command1[*index];
    // Named as written, relative to the current directory (not AppDir).
    const QString file = FileName(args.comma.text);
    if (!button.setPicture(file)) {
        ReportScenarioError(
            QStringLiteral("ボタンの絵「%1」が見つからないか、絵として読めません。").arg(file),
            args.line);
        return false;
    }
    button.setToolTip(args.comma.toolTip);
    button.setVisible(true);
    return true;
}

bool BotwaitCommand(const CommandArguments&) {
    if (Engine.SysMode <= 4) Engine.MenuMode = 1;
    WaitForNext();
    return true;
}

bool BotrpgCommand(const CommandArguments&) { return true; }

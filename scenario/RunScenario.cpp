#include "scenario/RunScenario.h"

#include <QString>

#include "platform/Events.h"
#include "platform/Logging.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "scenario/ArgumentRules.h"
#include "scenario/CommandTable.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioError.h"
#include "scenario/ScenarioReader.h"
#include "shell/Quit.h"

namespace {

// A run can be entered again while it yields to the event loop: New Game clicked
// during a message pause. Instead of a second run inside the first, the running
// one is told to start over from Engine.JumpLabel once its current line is done.
int g_depth = 0;
bool g_restartRequested = false;

enum class Outcome { GoOn, Stop, Leave };

void ShowPlainMessage(const char16_t* text) {
    ShowMessage(QString::fromUtf16(text), MessageStyle::OkOnly);
}

// Steps a to d of a cycle: reopen the file and read to the label line.
Outcome TakeJump() {
    if (Engine.JumpLabel == -1) {
        ShowPlainMessage(kScenarioEndMessage);
        ConfirmQuit();
        // The player stays after the story's end: nothing is left to read, so the
        // run just stops; New Game and the quit button still work.
        Engine.JumpLabel = 0;
        return Outcome::Leave;
    }

    const int label = Engine.JumpLabel;
    const std::optional<ScenarioLine> origin =
        LastScenarioLineRead().number > 0 ? std::optional(LastScenarioLineRead()) : std::nullopt;
    if (!ReopenScenarioFile()) {
        Engine.JumpLabel = 0;
        ReportScenarioError(QStringLiteral("シナリオファイルが見つからないか、読めません。"
                                           "ゲームのフォルダーで起動しているか確かめてください。"),
                            std::nullopt);
        return Outcome::Leave;
    }

    const QString labelLine = LabelLineText(label);
    ScenarioLine line;
    for (;;) {
        if (!ReadToLabelOrEndLine(labelLine, line)) {
            Engine.JumpLabel = 0;
            ReportScenarioError(
                QStringLiteral("行き先のラベル「%1」がシナリオにありません。").arg(labelLine),
                origin);
            return Outcome::Leave;
        }
        if (line.text == kEndLine) {
            ShowPlainMessage(kLabelSearchErrorMessage);
            ConfirmQuit();
            if (ProgramHasEnded()) return Outcome::Leave;
            continue;  // declined: the search reads on past the end line
        }
        if (line.text == labelLine) break;
    }
    qCDebug(lcScenario).noquote() << "jump to" << labelLine << "at line" << line.number;
    Engine.JumpLabel = 0;
    return Outcome::GoOn;
}

// Steps 2.2 and 2.3 of a cycle: read one line and carry it out.
Outcome RunOneLine() {
    ScenarioLine line;
    if (!ReadScenarioLine(line)) {
        const ScenarioLine& last = LastScenarioLineRead();
        ReportScenarioError(
            QStringLiteral("この行でシナリオファイルが終わっていて、次に読む行がありません。"
                           "最後は「next」などで先へ進むか、待つ命令で止めてください。"),
            last.number > 0 ? std::optional(last) : std::nullopt);
        return Outcome::Leave;
    }
    qCDebug(lcScenario).noquote() << "line" << line.number << line.text;

    const Command* command = FindCommand(line);
    if (!command) {
        if (!line.text.startsWith(QLatin1Char('\''))) {
            ShowMessage(QLatin1Char('\'') + line.text + QStringLiteral("' はｻﾎﾟｰﾄしていません!"),
                        MessageStyle::OkOnly);
        }
        return Outcome::GoOn;
    }

    CommandArguments args{line, {}, {}};
    switch (command->argument) {
        case Argument::RestOfLine: args.rest = line.restOfLine(); break;
        case Argument::LastCharacter:
            args.rest = line.lastCharacter().isNull() ? QString() : QString(line.lastCharacter());
            break;
        case Argument::CommaForm:
            if (auto fields = ParseCommaForm(line)) {
                args.comma = *fields;
            } else {
                ReportScenarioError(MissingCommaProblem(), line);
                return Outcome::Leave;
            }
            break;
        case Argument::None:
        case Argument::FixedColumns: break;
    }

    if (!command->handler(args)) return Outcome::Leave;
    switch (command->afterwards) {
        case Afterwards::GoesOn: return Outcome::GoOn;
        case Afterwards::Stops: return Outcome::Stop;
        case Afterwards::Returns: return Outcome::Leave;
    }
    return Outcome::GoOn;
}

void RunLoop() {
    int16_t budget = kLineBudget;
    bool stop = false;
    while (budget >= 1 && !stop) {
        if (Engine.JumpLabel != 0) {
            const Outcome jumped = TakeJump();
            if (jumped == Outcome::Leave || ProgramHasEnded()) return;
        }
        const Outcome outcome = RunOneLine();
        if (ProgramHasEnded()) return;
        if (g_restartRequested) {
            // New Game came in during this line: start over as a fresh run.
            g_restartRequested = false;
            Engine.WaitingForClick = 0;
            budget = kLineBudget;
            stop = false;
            continue;
        }
        if (outcome == Outcome::Leave) return;
        if (outcome == Outcome::Stop) stop = true;
        --budget;
    }
    if (budget == 0) {
        ShowPlainMessage(kLoopOutMessage);
        EndProgram(1);
    }
}

}  // namespace

void RunScenario() {
    if (ProgramHasEnded()) return;
    if (g_depth > 0) {
        g_restartRequested = true;
        return;
    }
    ++g_depth;
    RunLoop();
    --g_depth;
    g_restartRequested = false;
}

bool ScenarioRunning() { return g_depth > 0; }

bool YieldToPlayer() {
    ProcessPendingEvents();
    return !g_restartRequested && !ProgramHasEnded();
}

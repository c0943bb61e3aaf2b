#include "scenario/RunScenario.h"

#include <QString>

#include "platform/Events.h"
#include "platform/Logging.h"
#include "platform/MessageBox.h"
#include "platform/ProgramEnd.h"
#include "platform/TextFile.h"
#include "scenario/ArgumentRules.h"
#include "scenario/CommandTable.h"
#include "scenario/EngineState.h"
#include "scenario/RunFlow.h"
#include "scenario/ScenarioError.h"
#include "scenario/ScenarioReader.h"
#include "scenario/Stage.h"

namespace {

// A run can be entered again while it yields to the event loop: New Game clicked
// during a message pause. Instead of a second run inside the first, the running
// one is told to start over from Engine.JumpLabel once its current line is done.
int g_depth = 0;
bool g_restartRequested = false;
int16_t g_lastLabel = 0;

enum class Outcome { GoOn, Stop, Leave };

void ShowPlainMessage(const char16_t* text) {
    ShowMessage(QString::fromUtf16(text), MessageStyle::OkOnly);
}

// Reading a scenario file stops at its bound as a line stops at its own.
QString FileTooLongProblem() {
    return QStringLiteral("シナリオファイルが長すぎて、ここから先は読めません（%1 MB までです）。")
        .arg(kLongestTextFileBytes >> 20);
}

// The jump that opens a cycle when JumpLabel is set: label -1 ends the story with
// the quit question; any other label reopens the file and reads to its label line,
// past the end line if the player declines to quit there.
Outcome TakeJump() {
    if (Engine.JumpLabel == -1) {
        ShowPlainMessage(kScenarioEndMessage);
        CurrentStage().ConfirmQuit();
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
                ScenarioFileCutAtBound()
                    ? FileTooLongProblem()
                    : QStringLiteral("行き先のラベル「%1」がシナリオにありません。").arg(labelLine),
                origin);
            return Outcome::Leave;
        }
        if (line.text == kEndLine) {
            ShowPlainMessage(kLabelSearchErrorMessage);
            CurrentStage().ConfirmQuit();
            if (ProgramHasEnded()) return Outcome::Leave;
            continue;  // declined: the search reads on past the end line
        }
        if (line.text == labelLine) break;
    }
    qCDebug(lcScenario).noquote() << "jump to" << labelLine << "at line" << line.number;
    g_lastLabel = static_cast<int16_t>(label);
    Engine.JumpLabel = 0;
    return Outcome::GoOn;
}

// The rest of a cycle: read one line, take its argument as its row in the command
// table says, and carry it out.
Outcome RunOneLine() {
    ScenarioLine line;
    if (!ReadScenarioLine(line)) {
        const ScenarioLine& last = LastScenarioLineRead();
        ReportScenarioError(
            ScenarioFileCutAtBound()
                ? FileTooLongProblem()
                : QStringLiteral("この行でシナリオファイルが終わっていて、次に読む行がありません。"
                                 "最後は「next」などで先へ進むか、待つ命令で止めてください。"),
            last.number > 0 ? std::optional(last) : std::nullopt);
        return Outcome::Leave;
    }
    qCDebug(lcScenario).noquote() << "line" << line.number << line.text;
    if (line.cut) {
        ReportScenarioError(QStringLiteral("この行は長すぎて読めません（%1 バイトまでです）。")
                                .arg(kLongestLineBytes),
                            line);
        return Outcome::Leave;
    }

    const Command* command = FindCommand(line);
    if (!command) {
        if (!line.text.startsWith(QLatin1Char('\''))) {
            ShowMessage(QLatin1Char('\'') + QuotedLine(line.text) +
                            QStringLiteral("' はｻﾎﾟｰﾄしていません!"),
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
    switch (AfterwardsOf(command)) {
        case Afterwards::GoesOn: return Outcome::GoOn;
        case Afterwards::Stops: return Outcome::Stop;
        case Afterwards::Returns: return Outcome::Leave;
    }
    return Outcome::GoOn;
}

void RunLoop() {
    LineBudget budget;
    while (budget.more()) {
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
            budget = LineBudget();
            continue;
        }
        if (outcome == Outcome::Leave) return;
        budget.spend(outcome == Outcome::Stop ? Afterwards::Stops : Afterwards::GoesOn);
    }
    // Every line read costs one of the 100, the waiting line too: a run whose 100th
    // line waits has still used them all and ends the program, as does a `next`
    // loop without a wait. Only `pg` and a problem leave before the count.
    if (budget.ranOut()) {
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

int16_t LastLabelReached() { return g_lastLabel; }

bool YieldToPlayer() {
    ProcessPendingEvents();
    return !g_restartRequested && !ProgramHasEnded();
}

#include "scenario/ScenarioReader.h"

#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioError.h"

namespace {

int g_lineNumber = 0;
ScenarioLine g_lastLine;

}  // namespace

bool ReopenScenarioFile() {
    if (Engine.ScenarioFile != 0) CloseFile(Engine.ScenarioFile);
    Engine.ScenarioFile = FreeFileNumber();
    g_lineNumber = 0;
    g_lastLine = ScenarioLine{};
    return OpenForInput(Engine.ScenarioFile, Engine.AppDir + kScenarioFileName);
}

bool ReadScenarioLine(ScenarioLine& line) {
    QString text;
    if (!ReadLine(Engine.ScenarioFile, text)) return false;
    line.number = ++g_lineNumber;
    line.text = text;
    line.cut = LastLineWasCut(Engine.ScenarioFile);
    g_lastLine = line;
    return true;
}

bool ReadToLabelOrEndLine(const QString& labelLine, ScenarioLine& line) {
    // Label lines and the end line are plain ASCII, the same bytes in every
    // ANSI code page, so a line matches as bytes exactly when it does as text.
    const QByteArray label = EncodeAnsi(labelLine);
    const QByteArray end = EncodeAnsi(kEndLine);
    QString text;
    int64_t linesRead = 0;
    const bool found = ReadLineMatching(Engine.ScenarioFile, {label, end}, text, linesRead);
    g_lineNumber += static_cast<int>(linesRead);
    if (!found) return false;
    line.number = g_lineNumber;
    line.text = text;
    g_lastLine = line;
    return true;
}

bool ScenarioFileCutAtBound() { return StoppedAtBound(Engine.ScenarioFile); }

const ScenarioLine& LastScenarioLineRead() { return g_lastLine; }

void ResetScenarioReader() {
    if (Engine.ScenarioFile != 0) CloseFile(Engine.ScenarioFile);
    g_lineNumber = 0;
    g_lastLine = ScenarioLine{};
}

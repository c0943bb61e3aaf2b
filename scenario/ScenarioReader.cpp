#include "scenario/ScenarioReader.h"

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
    g_lastLine = line;
    return true;
}

const ScenarioLine& LastScenarioLineRead() { return g_lastLine; }

void ResetScenarioReader() {
    if (Engine.ScenarioFile != 0) CloseFile(Engine.ScenarioFile);
    g_lineNumber = 0;
    g_lastLine = ScenarioLine{};
}

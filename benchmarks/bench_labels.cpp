// What a jump costs: reopening the scenario file and reading it up to the label
// line, in generated scenarios of 1k to 1M lines (the last label, near the end)
// and in the bundled game (every label it has, in turn). For comparison, the
// same search decoding every line it passes, as a search on text must.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioLine.h"
#include "scenario/ScenarioReader.h"

namespace {

// A scenario of `lines` lines in the game's own mix: narration in Japanese,
// comments, pictures, waits and a label every 50 lines; the last label stands
// a few lines before the end line.
class GeneratedScenario {
  public:
    explicit GeneratedScenario(int lines) {
        const QStringList body{
            QStringLiteral("msg      灯りの消えた町を、少年は一人で歩いていた。"),
            QStringLiteral("' 場面の切り替え"),
            QStringLiteral("cg       street"),
            QStringLiteral("msg      「ランタンの火を絶やしてはいけない」と祖父は言った。"),
            QStringLiteral("keywait "),
        };
        QByteArray text;
        int label = 0;
        for (int i = 0; i < lines - 1; ++i) {
            if (i % 50 == 0 || i == lines - 5) {
                lastLabel_ = ++label;
                text += EncodeAnsi(LabelLineText(label)) + "\r\n";
            } else {
                text += EncodeAnsi(body[i % body.size()]) + "\r\n";
            }
        }
        text += "_\r\n";
        QFile file(dir_.filePath("Lanternwick.dat"));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    int lastLabel() const { return lastLabel_; }

  private:
    QTemporaryDir dir_;
    int lastLabel_ = 0;
};

// The jump itself: reopen, then search.
void Jump(int label) {
    ScenarioLine line;
    ReopenScenarioFile();
    if (!ReadToLabelOrEndLine(LabelLineText(label), line)) qFatal("label %d not found", label);
}

// The search as a comparison of decoded text would do it.
void JumpDecodingEveryLine(int label) {
    const QString wanted = LabelLineText(label);
    ScenarioLine line;
    ReopenScenarioFile();
    while (ReadScenarioLine(line) && line.text != wanted) {
    }
}

template <void (*JumpFunction)(int)>
void BM_JumpToLastLabel(benchmark::State& state) {
    const GeneratedScenario scenario(static_cast<int>(state.range(0)));
    ResetEngineState();
    Engine.AppDir = scenario.folder();
    SetGameFolder(scenario.folder());
    for (auto _ : state)
        JumpFunction(scenario.lastLabel());
    ResetScenarioReader();
    SetGameFolder(QString());
    state.SetLabel(std::to_string(state.range(0)) + " lines");
}
BENCHMARK(BM_JumpToLastLabel<Jump>)
    ->Name("BM_JumpToLastLabel")
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLastLabel<JumpDecodingEveryLine>)
    ->Name("BM_JumpToLastLabelDecodingEveryLine")
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

void BM_JumpInBundledGame(benchmark::State& state) {
    ResetEngineState();
    Engine.AppDir = QStringLiteral(LANTERNWICK_GAME_DIR "/");
    SetGameFolder(Engine.AppDir);
    std::vector<int> labels;
    {
        QFile file(Engine.AppDir + QStringLiteral("Lanternwick.dat"));
        if (!file.open(QIODevice::ReadOnly)) qFatal("no bundled game");
        for (const QByteArray& raw : file.readAll().split('\n')) {
            const QByteArray line = raw.trimmed();
            if (line.size() == 6 && line.startsWith('_')) labels.push_back(line.mid(1).toInt());
        }
    }
    size_t next = 0;
    for (auto _ : state) {
        Jump(labels[next]);
        next = (next + 1) % labels.size();
    }
    ResetScenarioReader();
    SetGameFolder(QString());
    state.SetLabel(std::to_string(labels.size()) + " labels, each in turn");
}
BENCHMARK(BM_JumpInBundledGame)->Unit(benchmark::kMicrosecond);

}  // namespace

// Any bytes as the scenario file, read by the player's reader line by line, and
// every line taken apart by every argument rule of the command table, as if each
// line were each command; jumps search for labels too.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "platform/TextFile.h"
#include "scenario/ArgumentRules.h"
#include "scenario/EngineState.h"
#include "scenario/ScenarioLine.h"
#include "scenario/ScenarioReader.h"

namespace {

// More lines than that only repeat what the first ones exercise.
constexpr int kMaxLines = 2000;

void TakeApart(const ScenarioLine& line) {
    const QString rest = line.restOfLine();
    static_cast<void>(line.commandWord());
    static_cast<void>(line.lastCharacter());
    static_cast<void>(ParseCommaForm(line));
    static_cast<void>(FileNameOf(rest));
    static_cast<void>(NextTarget(rest));
    static_cast<void>(ChoiceTargetFields(line));
    if (!rest.isEmpty()) static_cast<void>(ButtonIndex(rest.front(), "bottxt2"));
    static_cast<void>(CgFileName(line));
    static_cast<void>(AnimeFrameNames(rest));
    if (const auto strip = StripAnimationArguments(line); strip.value)
        static_cast<void>(StripTooShort(*strip.value, line.number * 7));
    static_cast<void>(CircleArguments(line));
    static_cast<void>(SysModeOf(QString(line.lastCharacter())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFolder folder;
    folder.write(QStringLiteral("Lanternwick.dat"),
                 QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    ResetEngineState();
    Engine.AppDir = folder.path() + QLatin1Char('/');
    ResetScenarioReader();
    if (!ReopenScenarioFile()) return 0;
    ScenarioLine line;
    int label = -1;
    for (int count = 0; count < kMaxLines && ReadScenarioLine(line); ++count) {
        TakeApart(line);
        if (label < 0 && line.text.startsWith(QLatin1Char('_'))) label = line.number % 100000;
    }
    // A jump to a label named after a line of the file: the search's own path.
    if (label >= 0 && ReopenScenarioFile())
        static_cast<void>(ReadToLabelOrEndLine(LabelLineText(label), line));
    ResetScenarioReader();
    CloseAllFiles();
    return 0;
}

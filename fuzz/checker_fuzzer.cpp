// The checker on a whole game folder made from the input: the parts between
// two NUL bytes in a row are the scenario, then a picture, a strip, a wave and
// the help file, so that the file checks read hostile files too.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "platform/TextMetrics.h"
#include "tools/checker/ScenarioChecker.h"

namespace {

const char* const kFileNames[] = {"Lanternwick.dat", "a.JPG", "s.png", "v.wav", "Lanternwick.HLP"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "checker_fuzzer";
    static char* argv[] = {name, nullptr};
    // As the checker program: picture decoders and the game's faces for the
    // width checks, without a display.
    static MeasuringApplication application(argc, argv);
    static const FuzzFolder folder;
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype from = 0;
    for (const char* file : kFileNames) {
        qsizetype end = input.indexOf(QByteArray("\0\0", 2), from);
        if (end < 0) end = input.size();
        folder.write(QString::fromLatin1(file), input.mid(from, end - from));
        from = qMin(end + 2, input.size());
    }
    const CheckReport report = CheckScenario(folder.path());
    static_cast<void>(report.errors());
    return 0;
}

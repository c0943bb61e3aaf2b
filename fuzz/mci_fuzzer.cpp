// Command strings to the media-control service, one a line, with the stepped
// clock moving a few milliseconds between two, on a folder holding one short
// wave: any sequence of opens, plays, seeks, queries and closes.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "platform/Clock.h"
#include "platform/mci/AudioOutput.h"
#include "platform/mci/MciService.h"

namespace {

// The smallest wave the service plays: 8 kHz mono 16-bit, 400 frames (50 ms).
QByteArray ShortWave() {
    auto le = [](uint32_t value, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(static_cast<char>((value >> (8 * i)) & 0xff));
        return out;
    };
    const int dataBytes = 800;
    QByteArray wave = "RIFF" + le(36 + dataBytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                      le(1, 2) + le(8000, 4) + le(16000, 4) + le(2, 2) + le(16, 2) + "data" +
                      le(dataBytes, 4);
    for (int i = 0; i < dataBytes / 2; ++i)
        wave += le(static_cast<uint32_t>((i * 97) & 0x7fff), 2);
    return wave;
}

constexpr int kMaxCommands = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzFolder folder;
    static const bool written = [] {
        folder.write(QStringLiteral("a.wav"), ShortWave());
        folder.write(QStringLiteral("b.WAV"), ShortWave().left(60));
        return true;
    }();
    static_cast<void>(written);
    SteppedClock clock;
    SetClock(&clock);
    {
        MciService service([] { return MakeClockedAudioOutput(8000); });
        const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        QByteArray reply(32, ' ');
        int count = 0;
        for (const QByteArray& command : input.split('\n')) {
            if (++count > kMaxCommands) break;
            service.sendString(command, &reply);
            clock.advance(command.size() % 64);
        }
    }
    SetClock(nullptr);
    return 0;
}

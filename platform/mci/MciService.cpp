#include "platform/mci/MciService.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/FileLookup.h"
#include "platform/Logging.h"
#include "platform/TextCodec.h"
#include "platform/mci/AudioOutput.h"
#include "platform/mci/WaveDevice.h"

namespace {

constexpr int kFallbackRate = 44100;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Keywords and aliases ignore case. `lower` is written in lower case.
bool Is(QByteArrayView word, QByteArrayView lower) {
    return word.compare(lower, Qt::CaseInsensitive) == 0;
}

// Splits a command into words at blanks; "a quoted name" is one word. The words
// point into `command`; `words` is reused, so that a status query asked every
// millisecond allocates nothing. False when a quote is not closed.
bool SplitWords(QByteArrayView command, std::vector<QByteArrayView>& words) {
    words.clear();
    qsizetype i = 0;
    while (i < command.size()) {
        if (IsBlank(command[i])) {
            ++i;
            continue;
        }
        if (command[i] == '"') {
            const qsizetype close = command.indexOf('"', i + 1);
            if (close < 0) return false;
            words.push_back(command.sliced(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < command.size() && !IsBlank(command[end]))
            ++end;
        words.push_back(command.sliced(i, end - i));
        i = end;
    }
    return true;
}

// A position in milliseconds: digits only; ten at most, so that any rate times
// it still fits in 64 bits.
std::optional<int64_t> ParseMilliseconds(QByteArrayView word) {
    if (word.isEmpty() || word.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The words after the device name, taken one keyword at a time.
class Options {
  public:
    Options(const std::vector<QByteArrayView>& words, size_t first) : words_(words), next_(first) {}
    bool atEnd() const { return next_ >= words_.size(); }
    QByteArrayView keyword() { return words_[next_++]; }
    std::optional<QByteArrayView> value() {
        if (atEnd()) return std::nullopt;
        return words_[next_++];
    }

  private:
    const std::vector<QByteArrayView>& words_;
    size_t next_;
};

// Devices by alias, whatever its case, found without making a key.
struct AliasLess {
    using is_transparent = void;
    bool operator()(QByteArrayView a, QByteArrayView b) const {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }
};

std::vector<std::unique_ptr<AudioOutput>>& AbandonedOutputs() {
    static auto* outputs = new std::vector<std::unique_ptr<AudioOutput>>;
    return *outputs;
}

}  // namespace

QString MciErrorText(uint32_t code) {
    switch (code) {
        case kMciSuccess: return QStringLiteral("成功しました。");
        case kMciInvalidDevice: return QStringLiteral("その名前のデバイスは開かれていません。");
        case kMciUnrecognizedKeyword: return QStringLiteral("コマンドに知らない語があります。");
        case kMciUnrecognizedCommand: return QStringLiteral("知らないコマンドです。");
        case kMciMissingCommand: return QStringLiteral("コマンドが空です。");
        case kMciBadInteger: return QStringLiteral("位置が数字ではありません。");
        case kMciMissingParameter: return QStringLiteral("コマンドに必要な値がありません。");
        case kMciFileNotFound: return QStringLiteral("ファイルが見つかりません。");
        case kMciAliasInUse: return QStringLiteral("その別名のデバイスはもう開いています。");
        case kMciBadTimeFormat: return QStringLiteral("時間の単位はミリ秒だけです。");
        case kMciInvalidFile:
            return QStringLiteral("ウェーブファイルではないか、壊れていて読めません。");
    }
    return QStringLiteral("不明なエラーです（%1）。").arg(code);
}

struct MciService::Impl : AudioSource {
    OutputFactory factory;
    std::unique_ptr<AudioOutput> output;  // touched by the user-interface thread only

    std::mutex mutex;  // guards the devices, which the output's thread renders
    std::map<QByteArray, std::unique_ptr<WaveDevice>, AliasLess> devices;
    // Closed at their end while the output had still to take their last
    // samples: they give them, in the order they were closed, and go at a
    // later command. A device opened under the same alias plays after them, as
    // one channel plays one wave after the other.
    struct Closing {
        QByteArray alias;  // as the devices' keys, in lower case
        std::unique_ptr<WaveDevice> device;
    };
    std::vector<Closing> closing;

    // Frames of the closing devices under `alias` that come before `end`.
    int framesBefore(const QByteArray& alias, size_t end) const {
        int frames = 0;
        for (size_t i = 0; i < end; ++i) {
            if (closing[i].alias == alias) frames += closing[i].device->tailFrames();
        }
        return frames;
    }

    std::vector<QByteArrayView> words;  // of the command being carried out
    char number[24];                    // the digits of a numeric reply

    void render(float* mix, int frames) override {
        std::lock_guard lock(mutex);
        for (auto& entry : devices) {
            const int after = std::min(framesBefore(entry.first, closing.size()), frames);
            entry.second->render(mix + static_cast<ptrdiff_t>(after) * 2, frames - after);
        }
        // Last, since rendering takes the tails that the offsets count.
        for (size_t i = closing.size(); i-- > 0;) {
            const int after = std::min(framesBefore(closing[i].alias, i), frames);
            closing[i].device->render(mix + static_cast<ptrdiff_t>(after) * 2, frames - after);
        }
    }

    void skip(int frames) override {
        std::lock_guard lock(mutex);
        for (auto& entry : devices)
            entry.second->skip(frames);
        for (Closing& entry : closing)
            entry.device->skip(frames);
    }

    QByteArrayView numberReply(int64_t value) {
        const auto end = std::to_chars(number, number + sizeof number, value).ptr;
        return QByteArrayView(number, end - number);
    }

    AudioOutput& ensureOutput() {
        if (!output) {
            output = factory ? factory() : nullptr;
            if (!output) output = MakeClockedAudioOutput(kFallbackRate);
            output->start(*this);
        }
        return *output;
    }

    // Positions are frames taken by the output: a clocked output at the same
    // rate takes over where the stuck one stopped, and the waves play on.
    void replaceStalledOutput() {
        if (!output->stalled()) return;
        const int rate = output->sampleRate();
        output->abandon();
        // Its thread may be blocked for good inside the device: it is kept for
        // the rest of the program, since destroying it would wait for that thread.
        AbandonedOutputs().push_back(std::move(output));
        qCDebug(lcSound) << "the sound device stopped taking samples: the sound follows the clock";
        output = MakeClockedAudioOutput(rate);
        output->start(*this);
    }

    uint32_t open();
    uint32_t onDevice(QByteArrayView verb, QByteArrayView& reply);
    uint32_t carryOut(QByteArrayView command, QByteArrayView& reply);
};

uint32_t MciService::Impl::open() {
    if (words.size() < 2) return kMciMissingParameter;
    const QByteArrayView name = words[1];
    QByteArrayView alias = name;
    Options options(words, 2);
    while (!options.atEnd()) {
        const QByteArrayView keyword = options.keyword();
        if (Is(keyword, "alias")) {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            alias = *value;
        } else if (Is(keyword, "type")) {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            if (!Is(*value, "waveaudio")) return kMciUnrecognizedKeyword;
        } else if (!Is(keyword, "notify")) {
            return kMciUnrecognizedKeyword;
        }
    }
    {
        std::lock_guard lock(mutex);
        if (devices.count(alias)) return kMciAliasInUse;
    }

    WaveDecoder::Problem problem = WaveDecoder::Problem::None;
    auto decoder = WaveDecoder::open(ResolveFileName(DecodeAnsi(name)), &problem);
    if (!decoder)
        return problem == WaveDecoder::Problem::Missing ? kMciFileNotFound : kMciInvalidFile;
    AudioOutput& output = ensureOutput();
    auto device = std::make_unique<WaveDevice>(std::move(decoder), output.sampleRate(),
                                               output.framesTakenAhead());
    if (!device->valid()) return kMciInvalidFile;

    std::lock_guard lock(mutex);
    devices[alias.toByteArray().toLower()] = std::move(device);
    return kMciSuccess;
}

uint32_t MciService::Impl::onDevice(QByteArrayView verb, QByteArrayView& reply) {
    if (words.size() < 2) return kMciMissingParameter;
    const QByteArrayView alias = words[1];

    // Every option is read before the device is touched, so a command with a bad
    // word changes nothing.
    std::optional<int64_t> from;
    std::optional<int64_t> seekTo;
    bool seekToEnd = false;
    QByteArrayView item;
    Options options(words, 2);
    while (!options.atEnd()) {
        const QByteArrayView keyword = options.keyword();
        if (Is(keyword, "notify")) continue;  // completion notices are never delivered
        if (verb == "play" && Is(keyword, "from")) {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            from = ParseMilliseconds(*value);
            if (!from) return kMciBadInteger;
        } else if (verb == "seek" && Is(keyword, "to")) {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            const QByteArrayView where = *value;
            if (Is(where, "start")) {
                seekTo = 0;
            } else if (Is(where, "end")) {
                seekToEnd = true;
            } else {
                seekTo = ParseMilliseconds(where);
                if (!seekTo) return kMciBadInteger;
            }
        } else if (verb == "status" && item.isEmpty() &&
                   (Is(keyword, "mode") || Is(keyword, "position") || Is(keyword, "length"))) {
            item = keyword;
        } else if (verb == "set" && Is(keyword, "time")) {
            const auto format = options.value();
            const auto unit = options.value();
            if (!format || !Is(*format, "format") || !unit) return kMciMissingParameter;
            if (!Is(*unit, "milliseconds") && !Is(*unit, "ms")) return kMciBadTimeFormat;
        } else {
            return kMciUnrecognizedKeyword;
        }
    }
    if (verb == "seek" && !seekTo && !seekToEnd) return kMciMissingParameter;
    if (verb == "status" && item.isEmpty()) return kMciMissingParameter;

    std::lock_guard lock(mutex);
    // Destroyed here rather than on the output's thread, which must not wait on files.
    std::erase_if(closing, [](const Closing& entry) { return !entry.device->hasTail(); });
    const auto found = devices.find(alias);
    if (found == devices.end()) return kMciInvalidDevice;
    WaveDevice& device = *found->second;
    if (verb == "play") {
        // A position past the end plays nothing rather than fail: the wave is
        // stopped at its end at once, as if it had just finished.
        if (from) device.seekMs(*from);
        device.play();
    } else if (verb == "seek") {
        device.seekMs(seekToEnd ? device.lengthMs() : *seekTo);
    } else if (verb == "stop") {
        device.stop();
    } else if (verb == "close") {
        device.stop();
        if (device.hasTail()) closing.push_back({found->first, std::move(found->second)});
        devices.erase(found);
    } else if (verb == "status") {
        if (Is(item, "mode")) {
            reply = device.playing() ? QByteArrayView("playing") : QByteArrayView("stopped");
        } else if (Is(item, "position")) {
            reply = numberReply(device.positionMs());
        } else {
            reply = numberReply(device.lengthMs());
        }
    }
    return kMciSuccess;
}

uint32_t MciService::Impl::carryOut(QByteArrayView command, QByteArrayView& reply) {
    if (!SplitWords(command, words)) return kMciMissingParameter;
    if (words.empty()) return kMciMissingCommand;
    const QByteArrayView verb = words.front();
    if (Is(verb, "open")) return open();
    // The verb in lower case, from the list itself, for the comparisons below.
    for (const char* known : {"play", "seek", "stop", "close", "status", "set"}) {
        if (Is(verb, known)) return onDevice(QByteArrayView(known), reply);
    }
    return kMciUnrecognizedCommand;
}

MciService::MciService(OutputFactory factory) : impl_(std::make_unique<Impl>()) {
    impl_->factory = std::move(factory);
}

MciService::~MciService() { reset(); }

uint32_t MciService::sendString(const QByteArray& command, QByteArray* reply) {
    // A command ends at its first NUL, as a C string does.
    const qsizetype nul = command.indexOf('\0');
    const QByteArrayView text =
        nul < 0 ? QByteArrayView(command) : QByteArrayView(command).first(nul);
    if (impl_->output) {
        impl_->replaceStalledOutput();
        impl_->output->catchUp();
    }

    QByteArrayView answer;
    const uint32_t result = impl_->carryOut(text, answer);
    if (result == kMciSuccess && reply && !reply->isEmpty()) {
        const qsizetype length = std::min(answer.size(), reply->size() - 1);
        std::copy_n(answer.constData(), length, reply->data());
        (*reply)[length] = '\0';
    }
    return result;
}

void MciService::reset() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->devices.clear();
        impl_->closing.clear();
    }
    // Outside the lock: closing a device waits for its callback, which takes it.
    // A stuck device's callback may never return: ending the program must not
    // wait for it.
    if (impl_->output && impl_->output->stalled()) {
        impl_->output->abandon();
        AbandonedOutputs().push_back(std::move(impl_->output));
    }
    impl_->output.reset();
}

#include "platform/mci/MciService.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/FileLookup.h"
#include "platform/TextCodec.h"
#include "platform/mci/AudioOutput.h"
#include "platform/mci/WaveDevice.h"

namespace {

constexpr int kFallbackRate = 44100;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits a command into words at blanks; "a quoted name" is one word. Nothing
// when a quote is not closed.
std::optional<std::vector<QByteArray>> SplitWords(const QByteArray& command) {
    std::vector<QByteArray> words;
    qsizetype i = 0;
    while (i < command.size()) {
        if (IsBlank(command[i])) {
            ++i;
            continue;
        }
        if (command[i] == '"') {
            const qsizetype close = command.indexOf('"', i + 1);
            if (close < 0) return std::nullopt;
            words.push_back(command.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < command.size() && !IsBlank(command[end]))
            ++end;
        words.push_back(command.mid(i, end - i));
        i = end;
    }
    return words;
}

// A position in milliseconds: digits only; ten at most, so that any rate times
// it still fits in 64 bits.
std::optional<int64_t> ParseMilliseconds(const QByteArray& word) {
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
    Options(const std::vector<QByteArray>& words, size_t first) : words_(words), next_(first) {}
    bool atEnd() const { return next_ >= words_.size(); }
    QByteArray keyword() { return words_[next_++].toLower(); }
    std::optional<QByteArray> value() {
        if (atEnd()) return std::nullopt;
        return words_[next_++];
    }

  private:
    const std::vector<QByteArray>& words_;
    size_t next_;
};

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
    std::map<QByteArray, std::unique_ptr<WaveDevice>> devices;

    void render(float* mix, int frames) override {
        std::lock_guard lock(mutex);
        for (auto& entry : devices)
            entry.second->render(mix, frames);
    }

    AudioOutput& ensureOutput() {
        if (!output) {
            output = factory ? factory() : nullptr;
            if (!output) output = MakeClockedAudioOutput(kFallbackRate);
            output->start(*this);
        }
        return *output;
    }

    uint32_t open(const std::vector<QByteArray>& words);
    uint32_t onDevice(const QByteArray& verb, const std::vector<QByteArray>& words,
                      QByteArray& reply);
    uint32_t carryOut(const QByteArray& command, QByteArray& reply);
};

uint32_t MciService::Impl::open(const std::vector<QByteArray>& words) {
    if (words.size() < 2) return kMciMissingParameter;
    const QByteArray& name = words[1];
    QByteArray alias = name.toLower();
    Options options(words, 2);
    while (!options.atEnd()) {
        const QByteArray keyword = options.keyword();
        if (keyword == "alias") {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            alias = value->toLower();
        } else if (keyword == "type") {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            if (value->toLower() != "waveaudio") return kMciUnrecognizedKeyword;
        } else if (keyword != "notify") {
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
    auto device = std::make_unique<WaveDevice>(std::move(decoder), ensureOutput().sampleRate());
    if (!device->valid()) return kMciInvalidFile;

    std::lock_guard lock(mutex);
    devices[alias] = std::move(device);
    return kMciSuccess;
}

uint32_t MciService::Impl::onDevice(const QByteArray& verb, const std::vector<QByteArray>& words,
                                    QByteArray& reply) {
    if (words.size() < 2) return kMciMissingParameter;
    const QByteArray alias = words[1].toLower();

    // Every option is read before the device is touched, so a command with a bad
    // word changes nothing.
    std::optional<int64_t> from;
    std::optional<int64_t> seekTo;
    bool seekToEnd = false;
    QByteArray item;
    Options options(words, 2);
    while (!options.atEnd()) {
        const QByteArray keyword = options.keyword();
        if (keyword == "notify") continue;  // completion notices are never delivered
        if (verb == "play" && keyword == "from") {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            from = ParseMilliseconds(*value);
            if (!from) return kMciBadInteger;
        } else if (verb == "seek" && keyword == "to") {
            const auto value = options.value();
            if (!value) return kMciMissingParameter;
            const QByteArray where = value->toLower();
            if (where == "start") {
                seekTo = 0;
            } else if (where == "end") {
                seekToEnd = true;
            } else {
                seekTo = ParseMilliseconds(where);
                if (!seekTo) return kMciBadInteger;
            }
        } else if (verb == "status" && item.isEmpty() &&
                   (keyword == "mode" || keyword == "position" || keyword == "length")) {
            item = keyword;
        } else if (verb == "set" && keyword == "time") {
            const auto format = options.value();
            const auto unit = options.value();
            if (!format || format->toLower() != "format" || !unit) return kMciMissingParameter;
            const QByteArray lower = unit->toLower();
            if (lower != "milliseconds" && lower != "ms") return kMciBadTimeFormat;
        } else {
            return kMciUnrecognizedKeyword;
        }
    }
    if (verb == "seek" && !seekTo && !seekToEnd) return kMciMissingParameter;
    if (verb == "status" && item.isEmpty()) return kMciMissingParameter;

    std::lock_guard lock(mutex);
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
        devices.erase(found);
    } else if (verb == "status") {
        if (item == "mode") {
            reply = device.playing() ? "playing" : "stopped";
        } else if (item == "position") {
            reply = QByteArray::number(device.positionMs());
        } else {
            reply = QByteArray::number(device.lengthMs());
        }
    }
    return kMciSuccess;
}

uint32_t MciService::Impl::carryOut(const QByteArray& command, QByteArray& reply) {
    const auto words = SplitWords(command);
    if (!words) return kMciMissingParameter;
    if (words->empty()) return kMciMissingCommand;
    const QByteArray verb = words->front().toLower();
    if (verb == "open") return open(*words);
    if (verb == "play" || verb == "seek" || verb == "stop" || verb == "close" || verb == "status" ||
        verb == "set") {
        return onDevice(verb, *words, reply);
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
    const QByteArray text = nul < 0 ? command : command.left(nul);
    if (impl_->output) impl_->output->catchUp();

    QByteArray answer;
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
    }
    // Outside the lock: closing a device waits for its callback, which takes it.
    impl_->output.reset();
}

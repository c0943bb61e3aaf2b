#include "platform/mci/SoundLibraries.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <cstring>

#include "platform/Logging.h"
#include "platform/mci/AudioOutput.h"

namespace {

class SdlAudioOutput : public AudioOutput {
  public:
    explicit SdlAudioOutput(std::shared_ptr<AudioRecording> recording)
        : recording_(std::move(recording)) {}

    ~SdlAudioOutput() override {
        if (device_ == 0) return;
        // A device that stopped taking samples may never return from its
        // callback, and closing it would wait for it: it is left as it is.
        if (abandoned_) return;
        // Waits for a callback in progress, so the source is not touched after this.
        Sdl()->SDL_CloseAudioDevice(device_);
        Sdl()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open(int maxLatencyMs) {
        if (!Sdl()) return false;
        // The program ends on SIGINT and SIGTERM by its own handlers; SDL's would
        // swallow them into a quit event that nobody reads.
        Sdl()->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (Sdl()->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            qCDebug(lcSound) << "no audio driver:" << Sdl()->SDL_GetError();
            return false;
        }
        SDL_AudioSpec want{};
        // Game waves are mostly 44.1 kHz: at that rate they need no resampling of
        // ours; a device that wants another rate says so and gets it.
        want.freq = 44100;
        want.format = AUDIO_F32SYS;
        want.channels = 2;
        // The loop monitor's restart is heard one buffer late: keep the buffer short.
        Uint16 samples = 128;
        while (samples * 2 * 1000 <= maxLatencyMs * want.freq)
            samples = static_cast<Uint16>(samples * 2);
        want.samples = samples;
        want.callback = &SdlAudioOutput::Callback;
        want.userdata = this;
        // The device's own rate spares SDL a second conversion after ours; the
        // buffer length must stay as asked.
        device_ =
            Sdl()->SDL_OpenAudioDevice(nullptr, 0, &want, &spec_, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0) {
            qCDebug(lcSound) << "no audio device:" << Sdl()->SDL_GetError();
            Sdl()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        qCDebug(lcSound) << "audio device:" << Sdl()->SDL_GetCurrentAudioDriver() << spec_.freq
                         << "Hz," << spec_.samples << "frames a buffer";
        return true;
    }

    int sampleRate() const override { return spec_.freq; }
    int bufferFrames() const override { return spec_.samples; }
    int framesTakenAhead() const override { return spec_.samples; }

    void start(AudioSource& source) override {
        Sdl()->SDL_LockAudioDevice(device_);
        source_ = &source;
        Sdl()->SDL_UnlockAudioDevice(device_);
        lastFillMs_ = NowMs();
        started_ = true;
        Sdl()->SDL_PauseAudioDevice(device_, 0);
    }

    // A device that takes buffers every few milliseconds and has taken none for
    // a second is stuck (a driver blocked in a write) or gone (unplugged).
    bool stalled() const override { return started_ && NowMs() - lastFillMs_.load() > kStallMs; }

    void abandon() override { abandoned_ = true; }

  private:
    static void Callback(void* self, Uint8* stream, int bytes) {
        static_cast<SdlAudioOutput*>(self)->fill(reinterpret_cast<float*>(stream), bytes);
    }

    static int64_t NowMs() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    void fill(float* out, int bytes) {
        std::memset(out, 0, static_cast<size_t>(bytes));
        lastFillMs_ = NowMs();
        if (abandoned_) return;
        const int frames = bytes / static_cast<int>(2 * sizeof(float));
        if (source_) source_->render(out, frames);
        for (int i = 0; i < frames * 2; ++i)
            out[i] = qBound(-1.0f, out[i], 1.0f);
        if (recording_) recording_->append(out, frames);
    }

    std::shared_ptr<AudioRecording> recording_;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    AudioSource* source_ = nullptr;  // written under the device lock, read by the callback
    static constexpr int64_t kStallMs = 1000;
    std::atomic<int64_t> lastFillMs_{0};
    std::atomic<bool> abandoned_{false};
    bool started_ = false;
};

// Whether this machine can have sound at all: a driver named by the user, a sound
// server of the session, or sound hardware. Without any, SDL would only fill the
// terminal with the sound library's complaints and spend a tenth of a second.
bool SoundMayBeHeard() {
    if (!qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER") ||
        !qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        return true;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native")) ||
                               QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")))) {
        return true;
    }
    return !QDir(QStringLiteral("/dev/snd"))
                .entryList({QStringLiteral("pcm*")}, QDir::System)
                .isEmpty();
}

}  // namespace

std::unique_ptr<AudioOutput> OpenSdlAudioOutput(int maxLatencyMs,
                                                std::shared_ptr<AudioRecording> recording) {
    if (!SoundMayBeHeard()) {
        qCDebug(lcSound) << "no sound server or sound hardware: the sound follows the clock";
        return nullptr;
    }
    auto output = std::make_unique<SdlAudioOutput>(std::move(recording));
    if (!output->open(maxLatencyMs)) return nullptr;
    return output;
}

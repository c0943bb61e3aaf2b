#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/Clock.h"
#include "platform/mci/AudioOutput.h"

void AudioRecording::append(const float* stereo, int frames) {
    std::lock_guard lock(mutex_);
    samples_.insert(samples_.end(), stereo, stereo + static_cast<size_t>(frames) * 2);
}

std::vector<float> AudioRecording::samples() const {
    std::lock_guard lock(mutex_);
    return samples_;
}

int64_t AudioRecording::frames() const {
    std::lock_guard lock(mutex_);
    return static_cast<int64_t>(samples_.size() / 2);
}

void AudioRecording::clear() {
    std::lock_guard lock(mutex_);
    samples_.clear();
}

namespace {

class ClockedAudioOutput : public AudioOutput {
  public:
    ClockedAudioOutput(int sampleRate, std::shared_ptr<AudioRecording> recording)
        : rate_(sampleRate), recording_(std::move(recording)) {}

    int sampleRate() const override { return rate_; }
    int bufferFrames() const override { return kChunkFrames; }

    void start(AudioSource& source) override {
        source_ = &source;
        startMs_ = CurrentClock().milliseconds();
        taken_ = 0;
    }

    void catchUp() override {
        if (!source_) return;
        const int64_t now = CurrentClock().milliseconds();
        if (now < startMs_) {
            // Another clock was installed (a new test): start counting from it.
            startMs_ = now;
            taken_ = 0;
        }
        const int64_t due = (now - startMs_) * rate_ / 1000;
        if (!recording_) {
            while (taken_ < due) {
                const int frames = static_cast<int>(std::min<int64_t>(due - taken_, INT32_MAX));
                source_->skip(frames);
                taken_ += frames;
            }
            return;
        }
        while (taken_ < due) {
            const int frames = static_cast<int>(std::min<int64_t>(due - taken_, kChunkFrames));
            chunk_.fill(0.0f);
            source_->render(chunk_.data(), frames);
            if (recording_) recording_->append(chunk_.data(), frames);
            taken_ += frames;
        }
    }

  private:
    static constexpr int kChunkFrames = 512;
    int rate_;
    std::shared_ptr<AudioRecording> recording_;
    AudioSource* source_ = nullptr;
    int64_t startMs_ = 0;
    int64_t taken_ = 0;
    std::array<float, kChunkFrames * 2> chunk_{};
};

}  // namespace

std::unique_ptr<AudioOutput> MakeClockedAudioOutput(int sampleRate,
                                                    std::shared_ptr<AudioRecording> recording) {
    return std::make_unique<ClockedAudioOutput>(sampleRate, std::move(recording));
}

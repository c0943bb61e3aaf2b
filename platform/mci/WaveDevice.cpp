#include "platform/mci/WaveDevice.h"

#include "platform/mci/SoundLibraries.h"

#include <algorithm>
#include <array>

namespace {

// Frames decoded at a time: small enough that memory does not depend on the
// wave's length, large enough that libsndfile is not called for every callback.
constexpr int kBlockFrames = 1024;
constexpr int kStereoFrameBytes = 2 * sizeof(float);
constexpr int kTailPushBlocks = 2;

}  // namespace

WaveDevice::WaveDevice(std::unique_ptr<WaveDecoder> decoder, int outputRate, int framesTakenAhead)
    : decoder_(std::move(decoder)),
      outputRate_(outputRate),
      framesTakenAhead_(std::max(framesTakenAhead, 0)) {
    // Without SDL there is no converter: the device is not valid and never opens.
    if (const SdlLibrary* sdl = Sdl()) {
        // A mono wave goes in as mono: the converter resamples one channel and
        // only then makes two of it.
        converter_ = sdl->SDL_NewAudioStream(AUDIO_F32SYS, decoder_->readChannels(),
                                             decoder_->sampleRate(), AUDIO_F32SYS, 2, outputRate_);
    }
}

WaveDevice::~WaveDevice() {
    if (converter_) Sdl()->SDL_FreeAudioStream(converter_);
}

int64_t WaveDevice::lengthMs() const { return decoder_->frames() * 1000 / decoder_->sampleRate(); }

int64_t WaveDevice::positionFrame() const {
    const int64_t played = outputFramesPlayed_ * decoder_->sampleRate() / outputRate_;
    return std::min(startFrame_ + played, decoder_->frames());
}

int64_t WaveDevice::positionMs() const {
    const int64_t frame = inLastTurn() ? decoder_->frames() : positionFrame();
    return frame * 1000 / decoder_->sampleRate();
}

int64_t WaveDevice::outputFramesLeft() const {
    const int64_t end =
        decoderDone_ ? outputEnd_
                     : (decoder_->frames() - startFrame_) * outputRate_ / decoder_->sampleRate();
    return std::max<int64_t>(end - outputFramesPlayed_, 0);
}

bool WaveDevice::inLastTurn() const {
    if (!playing_ || framesTakenAhead_ == 0) return false;
    return tailFrames() + outputFramesLeft() <= framesTakenAhead_;
}

// Takes what is left of the pass out of the converter now, to be given to the
// output before whatever the device plays next. Both together fit in the
// output's next turn, so the tail never grows beyond one turn.
void WaveDevice::keepLastTurn() {
    tail_.erase(tail_.begin(), tail_.begin() + static_cast<ptrdiff_t>(tailTaken_));
    tailTaken_ = 0;
    const size_t kept = tail_.size();
    tail_.resize(kept + static_cast<size_t>(outputFramesLeft()) * 2, 0.0f);
    const int frames = static_cast<int>((tail_.size() - kept) / 2);
    const int done = renderPass(tail_.data() + kept, frames);
    tail_.resize(kept + static_cast<size_t>(done) * 2);
    finish();
}

void WaveDevice::seekMs(int64_t ms) {
    if (inLastTurn()) keepLastTurn();
    seekFrame(ms * decoder_->sampleRate() / 1000);
}

void WaveDevice::seekFrame(int64_t frame) {
    playing_ = false;
    // Where the decoder really stands: a file that cannot be positioned must not
    // report, and resume at, a place its samples do not come from.
    frame = decoder_->seek(frame);
    startFrame_ = frame;
    outputFramesPlayed_ = 0;
    skipped_ = false;
    Sdl()->SDL_AudioStreamClear(converter_);
    decodedFrames_ = frame;
    decoderDone_ = false;
}

void WaveDevice::play() {
    if (playing_) return;
    // Stopped in the middle, the converter may still hold a few frames decoded
    // ahead of the position: start again cleanly from the position itself.
    seekFrame(positionFrame());
    playing_ = positionFrame() < decoder_->frames();
}

void WaveDevice::stop() {
    if (inLastTurn()) {
        keepLastTurn();
        return;
    }
    if (!playing_) return;
    startFrame_ = positionFrame();
    outputFramesPlayed_ = 0;
    playing_ = false;
}

void WaveDevice::feed() {
    std::array<float, kBlockFrames * 2> block;
    const int inputFrameBytes = decoder_->readChannels() * static_cast<int>(sizeof(float));
    const int read = decoder_->read(block.data(), kBlockFrames);
    if (read > 0) Sdl()->SDL_AudioStreamPut(converter_, block.data(), read * inputFrameBytes);
    decodedFrames_ += read;
    if (read < kBlockFrames || decodedFrames_ >= decoder_->frames()) {
        decoderDone_ = true;
        outputEnd_ = (decodedFrames_ - startFrame_) * outputRate_ / decoder_->sampleRate();
        // When it resamples, SDL's converter keeps the last few hundred frames
        // back even when flushed: silence behind them pushes them out, and is cut
        // off at outputEnd_.
        block.fill(0.0f);
        for (int i = 0; i < kTailPushBlocks; ++i)
            Sdl()->SDL_AudioStreamPut(converter_, block.data(), kBlockFrames * inputFrameBytes);
        Sdl()->SDL_AudioStreamFlush(converter_);
    }
}

void WaveDevice::finish() {
    playing_ = false;
    startFrame_ = decoder_->frames();
    outputFramesPlayed_ = 0;
}

void WaveDevice::skip(int frames) {
    const size_t tailSkipped = std::min(tail_.size() - tailTaken_, static_cast<size_t>(frames) * 2);
    tailTaken_ += tailSkipped;
    frames -= static_cast<int>(tailSkipped / 2);
    if (!playing_) return;
    const int64_t end = (decoder_->frames() - startFrame_) * outputRate_ / decoder_->sampleRate();
    outputFramesPlayed_ = std::min<int64_t>(outputFramesPlayed_ + frames, end);
    skipped_ = true;
    if (outputFramesPlayed_ >= end) finish();
}

int WaveDevice::takeTail(float* mix, int frames) {
    const size_t taken = std::min(tail_.size() - tailTaken_, static_cast<size_t>(frames) * 2);
    for (size_t i = 0; i < taken; ++i)
        mix[i] += tail_[tailTaken_ + i];
    tailTaken_ += taken;
    if (tailTaken_ == tail_.size()) {
        // Kept for the next end: no allocation on the output's thread.
        tail_.clear();
        tailTaken_ = 0;
    }
    return static_cast<int>(taken / 2);
}

void WaveDevice::render(float* mix, int frames) {
    const int fromTail = takeTail(mix, frames);
    renderPass(mix + static_cast<ptrdiff_t>(fromTail) * 2, frames - fromTail);
}

int WaveDevice::renderPass(float* mix, int frames) {
    if (skipped_ && playing_) {
        seekFrame(positionFrame());
        playing_ = true;
    }
    std::array<float, kBlockFrames * 2> chunk;
    int done = 0;
    while (playing_ && done < frames) {
        int available = Sdl()->SDL_AudioStreamAvailable(converter_) / kStereoFrameBytes;
        if (decoderDone_) {
            available = static_cast<int>(std::min<int64_t>(
                available, std::max<int64_t>(outputEnd_ - outputFramesPlayed_, 0)));
            if (available == 0) {
                finish();
                break;
            }
        } else if (available == 0) {
            feed();
            continue;
        }
        const int wanted = std::min({available, frames - done, kBlockFrames});
        const int got =
            Sdl()->SDL_AudioStreamGet(converter_, chunk.data(), wanted * kStereoFrameBytes) /
            kStereoFrameBytes;
        if (got <= 0) {
            // A converter that cannot give what it said it has: treat it as the end
            // rather than loop here on the audio thread.
            finish();
            break;
        }
        float* out = mix + static_cast<ptrdiff_t>(done) * 2;
        for (int i = 0; i < got * 2; ++i)
            out[i] += chunk[static_cast<size_t>(i)];
        done += got;
        outputFramesPlayed_ += got;
    }
    // The last frame taken is the end: "stopped" from now on, not one call later.
    if (playing_ && decoderDone_ && outputFramesPlayed_ >= outputEnd_) finish();
    return done;
}

#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/mci/WaveDecoder.h"

struct _SDL_AudioStream;

// One open wave of the media-control service: the decoder, the converter to the
// output's rate, and where playback stands. Not thread-safe by itself: the
// service calls every member under its one lock.
class WaveDevice {
  public:
    // `framesTakenAhead`: what the output may take at its next turn, whenever a
    // command comes (AudioOutput::framesTakenAhead).
    WaveDevice(std::unique_ptr<WaveDecoder> decoder, int outputRate, int framesTakenAhead = 0);
    ~WaveDevice();
    WaveDevice(const WaveDevice&) = delete;
    WaveDevice& operator=(const WaveDevice&) = delete;

    bool valid() const { return converter_ != nullptr; }

    int64_t lengthMs() const;
    // A wave whose last samples the output takes at its next turn is at its end
    // already: the position is the length and it is not playing. Its last
    // samples are still given to the output after a seek, a stop or a close, so
    // that a loop restarted now follows its end without a gap.
    int64_t positionMs() const;
    bool playing() const { return playing_ && !inLastTurn(); }

    // Moves to `ms` (clamped to the wave) and stops.
    void seekMs(int64_t ms);
    // Plays on from the current position; at the end it plays nothing and stops.
    void play();
    void stop();
    // Whether the output still has to take samples of a pass that has ended.
    bool hasTail() const { return tailTaken_ < tail_.size(); }
    int tailFrames() const { return static_cast<int>((tail_.size() - tailTaken_) / 2); }

    // Adds up to `frames` frames of the wave to `mix` (interleaved stereo at the
    // output's rate); at the end of the data the device stops by itself.
    void render(float* mix, int frames);
    // Moves on by `frames` output frames as `render` would, decoding nothing.
    void skip(int frames);

  private:
    int64_t positionFrame() const;
    int64_t outputFramesLeft() const;
    bool inLastTurn() const;
    void keepLastTurn();
    int takeTail(float* mix, int frames);
    int renderPass(float* mix, int frames);
    void seekFrame(int64_t frame);
    void feed();
    void finish();

    std::unique_ptr<WaveDecoder> decoder_;
    _SDL_AudioStream* converter_ = nullptr;
    int outputRate_;
    int framesTakenAhead_;
    bool playing_ = false;
    bool decoderDone_ = false;
    bool skipped_ = false;            // decoder and converter lag behind the position
    int64_t decodedFrames_ = 0;       // where the decoder stands
    int64_t outputEnd_ = 0;           // frames the output takes in all, once decoderDone_
    int64_t startFrame_ = 0;          // where the current play (or the stop) began
    int64_t outputFramesPlayed_ = 0;  // frames the output took since then
    // The last samples of ended passes, at the output's rate, stereo: at most
    // one turn of the output.
    std::vector<float> tail_;
    size_t tailTaken_ = 0;  // samples of tail_ the output took
};

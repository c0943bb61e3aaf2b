#pragma once

#include <cstdint>
#include <memory>

#include "platform/mci/WaveDecoder.h"

struct _SDL_AudioStream;

// One open wave of the media-control service: the decoder, the converter to the
// output's rate, and where playback stands. Not thread-safe by itself: the
// service calls every member under its one lock.
class WaveDevice {
  public:
    WaveDevice(std::unique_ptr<WaveDecoder> decoder, int outputRate);
    ~WaveDevice();
    WaveDevice(const WaveDevice&) = delete;
    WaveDevice& operator=(const WaveDevice&) = delete;

    bool valid() const { return converter_ != nullptr; }

    int64_t lengthMs() const;
    int64_t positionMs() const;
    bool playing() const { return playing_; }

    // Moves to `ms` (clamped to the wave) and stops.
    void seekMs(int64_t ms);
    // Plays on from the current position; at the end it plays nothing and stops.
    void play();
    void stop();

    // Adds up to `frames` frames of the wave to `mix` (interleaved stereo at the
    // output's rate); at the end of the data the device stops by itself.
    void render(float* mix, int frames);
    // Moves on by `frames` output frames as `render` would, decoding nothing.
    void skip(int frames);

  private:
    int64_t positionFrame() const;
    void seekFrame(int64_t frame);
    void feed();
    void finish();

    std::unique_ptr<WaveDecoder> decoder_;
    _SDL_AudioStream* converter_ = nullptr;
    int outputRate_;
    bool playing_ = false;
    bool decoderDone_ = false;
    bool skipped_ = false;            // decoder and converter lag behind the position
    int64_t decodedFrames_ = 0;       // where the decoder stands
    int64_t outputEnd_ = 0;           // frames the output takes in all, once decoderDone_
    int64_t startFrame_ = 0;          // where the current play (or the stop) began
    int64_t outputFramesPlayed_ = 0;  // frames the output took since then
};

#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// A wave file read a small block at a time, so that a ten-minute music costs no
// more memory than a ten-second one. Every variant libsndfile reads is accepted
// (PCM 8 to 32 bits, float, ADPCM, A-law, u-law), provided it is a RIFF wave of
// 1 to 8 channels at 1,000 to 384,000 Hz.
class WaveDecoder {
  public:
    enum class Problem { None, Missing, NotAWave };

    // `path` is opened as given; nullptr and the reason when it cannot be.
    static std::unique_ptr<WaveDecoder> open(const QString& path, Problem* problem);
    ~WaveDecoder();
    WaveDecoder(const WaveDecoder&) = delete;
    WaveDecoder& operator=(const WaveDecoder&) = delete;

    int sampleRate() const { return rate_; }
    int channels() const { return channels_; }
    int64_t frames() const { return frames_; }

    // Moves to `frame` (clamped to the data) and returns where the decoder then
    // stands: `frame`, or, when the file cannot be positioned there, the place it
    // stayed at (the end when even that is unknown).
    int64_t seek(int64_t frame);
    // The channels read() gives: 1 for a mono file, otherwise its first two.
    int readChannels() const { return channels_ > 1 ? 2 : 1; }
    // Reads up to `frames` frames of readChannels() interleaved float channels.
    // Fewer than asked only at the end of the data (or where a damaged file stops).
    int read(float* out, int frames);

  private:
    WaveDecoder() = default;

    void* file_ = nullptr;  // SNDFILE*
    int rate_ = 0;
    int channels_ = 0;
    int64_t frames_ = 0;
    std::vector<float> block_;
};

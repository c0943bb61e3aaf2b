#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// What an audio output pulls its samples from. `render` adds `frames` frames of
// interleaved stereo float at the output's rate to `mix`, which holds silence or
// what other sources put there. It may be called on the output's own thread.
class AudioSource {
  public:
    virtual ~AudioSource() = default;
    virtual void render(float* mix, int frames) = 0;
    // Moves on by `frames` frames exactly as `render` would, without making the
    // samples: for an output that nobody hears.
    virtual void skip(int frames) = 0;
};

// Where the media-control service sends its sound. Playback positions are
// counted in the frames an output has taken from its source, so an output that
// takes them in real time (a sound card) and one that takes them as a clock
// moves (no sound card, or a test's stepped clock) give the same answers.
class AudioOutput {
  public:
    virtual ~AudioOutput() = default;

    virtual int sampleRate() const = 0;
    // How many frames the output takes from its source at a time: the latency
    // between a sample being taken and being heard.
    virtual int bufferFrames() const = 0;
    // Frames the output may take at its next turn, whenever a command comes: a
    // wave with fewer left than this will have been taken to its end before it
    // is heard. 0 for an output that takes frames only when a command comes.
    virtual int framesTakenAhead() const { return 0; }

    // Begins taking samples from `source`, which outlives the output.
    virtual void start(AudioSource& source) = 0;

    // Called before every command on the user-interface thread: an output that
    // follows a clock takes the frames that fell due since the last call.
    virtual void catchUp() {}

    // Whether the device stopped taking samples (stuck or gone). The service
    // then goes on with a clocked output, so that waits on a wave still end.
    virtual bool stalled() const { return false; }
    // The output will not be used again and must not touch its source any more;
    // it may be destroyed without waiting for its device.
    virtual void abandon() {}
};

// Samples an output took from its source, kept for tests and measurements.
class AudioRecording {
  public:
    void append(const float* stereo, int frames);
    // A copy of the interleaved stereo samples taken so far.
    std::vector<float> samples() const;
    int64_t frames() const;
    void clear();

  private:
    mutable std::mutex mutex_;
    std::vector<float> samples_;
};

// An output without a device: it takes frames as CurrentClock() moves on
// (elapsed milliseconds x rate), at each catchUp(). With a recording it renders
// and keeps what it took; without one nobody hears it, and it only moves its
// source on, so that a status query asked every millisecond decodes nothing.
std::unique_ptr<AudioOutput> MakeClockedAudioOutput(
    int sampleRate, std::shared_ptr<AudioRecording> recording = nullptr);

// The system's sound device through SDL (SDL_AUDIODRIVER picks the driver), or
// nullptr when none can be opened. The device buffer is at most `maxLatencyMs`
// long; `recording`, when given, keeps a copy of what the device was handed.
std::unique_ptr<AudioOutput> OpenSdlAudioOutput(
    int maxLatencyMs = 25, std::shared_ptr<AudioRecording> recording = nullptr);

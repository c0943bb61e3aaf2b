#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

// Wave files written by the tests themselves, in any encoding the player reads.
enum class WaveEncoding { Pcm8, Pcm16, Pcm24, Pcm32, Float, ImaAdpcm, MsAdpcm, ULaw, ALaw };

// Writes a RIFF wave of interleaved `samples` in [-1, 1]; false when it cannot.
bool WriteWave(const QString& path, int rate, int channels, WaveEncoding encoding,
               const std::vector<float>& samples);

// A mono ramp whose frame i holds (i + 1) / 65536 times `sign`: any sample the
// output took tells which frame of which file it came from (0 means silence).
// Exact in a float wave, for up to 65535 frames.
std::vector<float> Ramp(int frames, float sign = 1.0f);
// The file frame a recorded ramp sample came from; -1 for silence.
int RampFrame(float sample);

// `seconds` of a sine at `hz`, the same on every channel.
std::vector<float> Sine(int rate, int channels, double hz, double seconds, float amplitude = 0.5f);

// The left channel of interleaved stereo samples, as the outputs record them.
std::vector<float> LeftChannel(const std::vector<float>& stereo);

// Where a recorded channel is heard (louder than 0.02), its peak, and its cycles
// in the `span` samples from the first one heard: rising crossings from below
// -0.1 to above 0.1, so that coding noise near zero counts none.
struct Heard {
    size_t first = 0, last = 0;
    float peak = 0.0f;
    int cycles = 0;
};
Heard Listen(const std::vector<float>& channel, size_t span = SIZE_MAX);

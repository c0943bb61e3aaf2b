#include "support/WaveFiles.h"

#include <sndfile.h>

#include <QFile>

#include <algorithm>
#include <cmath>

bool WriteWave(const QString& path, int rate, int channels, WaveEncoding encoding,
               const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    // In the order of WaveEncoding.
    static const int kSubtype[] = {SF_FORMAT_PCM_U8,   SF_FORMAT_PCM_16, SF_FORMAT_PCM_24,
                                   SF_FORMAT_PCM_32,   SF_FORMAT_FLOAT,  SF_FORMAT_IMA_ADPCM,
                                   SF_FORMAT_MS_ADPCM, SF_FORMAT_ULAW,   SF_FORMAT_ALAW};
    info.format = SF_FORMAT_WAV | kSubtype[static_cast<int>(encoding)];
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) return false;
    const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

std::vector<float> Ramp(int frames, float sign) {
    std::vector<float> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<size_t>(i)] = sign * static_cast<float>(i + 1) / 65536.0f;
    return samples;
}

int RampFrame(float sample) {
    return static_cast<int>(std::lround(std::fabs(sample) * 65536.0f)) - 1;
}

std::vector<float> Sine(int rate, int channels, double hz, double seconds, float amplitude) {
    const int frames = static_cast<int>(std::lround(rate * seconds));
    std::vector<float> samples;
    samples.reserve(static_cast<size_t>(frames * channels));
    for (int i = 0; i < frames; ++i) {
        const float value =
            amplitude *
            static_cast<float>(std::sin(2.0 * M_PI * hz * i / static_cast<double>(rate)));
        for (int c = 0; c < channels; ++c)
            samples.push_back(value);
    }
    return samples;
}

std::vector<float> LeftChannel(const std::vector<float>& stereo) {
    std::vector<float> left(stereo.size() / 2);
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = stereo[2 * i];
    return left;
}

Heard Listen(const std::vector<float>& channel, size_t span) {
    Heard heard;
    bool found = false, below = false;
    for (size_t i = 0; i < channel.size(); ++i) {
        const float s = channel[i];
        heard.peak = std::max(heard.peak, std::fabs(s));
        if (std::fabs(s) > 0.02f) {
            if (!found) heard.first = i;
            found = true;
            heard.last = i;
        }
        if (!found || i - heard.first >= span) continue;
        if (s < -0.1f) below = true;
        if (below && s > 0.1f) {
            below = false;
            ++heard.cycles;
        }
    }
    return heard;
}

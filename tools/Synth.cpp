#include "Synth.h"

#include <sndfile.h>

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace synth {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNyquistGuard = 0.45 * kSampleRate;  // partials above this would alias

double Frequency(int pitch) { return 440.0 * std::pow(2.0, (pitch - 69) / 12.0); }

// Linear attack, then the shape `body` until the release, then a linear
// release of `release` seconds starting at `held` seconds.
double Envelope(double t, double attack, double held, double release) {
    double level = t < attack ? t / attack : 1.0;
    if (t > held) level *= std::max(0.0, 1.0 - (t - held) / release);
    return level;
}

// Sums partials (frequency ratio, relative level, own decay time or 0 for none).
struct Partial {
    double ratio;
    double level;
    double decay;
};

double SumPartials(double f, double t, const Partial* partials, size_t count) {
    double s = 0;
    for (size_t i = 0; i < count; ++i) {
        const double fp = f * partials[i].ratio;
        if (fp > kNyquistGuard) continue;
        double level = partials[i].level;
        if (partials[i].decay > 0) level *= std::exp(-t / partials[i].decay);
        s += level * std::sin(2 * kPi * fp * t);
    }
    return s;
}

Samples MusicBox(double f, double) {
    static const Partial kTine[] = {
        {1, 1.0, 0}, {2, 0.25, 0.3}, {5.4, 0.12, 0.08}, {8.9, 0.05, 0.03}};
    const double decay = 0.9 * std::pow(440.0 / f, 0.3);
    Samples out(static_cast<size_t>(std::min(4 * decay, 3.0) * kSampleRate));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / decay);
        out[n] = float(env * SumPartials(f, t, kTine, std::size(kTine)));
    }
    return out;
}

Samples Bell(double f, double) {
    Samples out(size_t(4.5 * kSampleRate));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double index = 2.5 * std::exp(-t / 0.5);
        const double modulator = index * std::sin(2 * kPi * 1.4 * f * t);
        double s = std::sin(2 * kPi * f * t + modulator);
        if (2.76 * f < kNyquistGuard)
            s += 0.2 * std::exp(-t / 0.25) * std::sin(2 * kPi * 2.76 * f * t);
        out[n] = float(std::min(1.0, t / 0.003) * std::exp(-t / 1.6) * s * 0.7);
    }
    return out;
}

// Karplus-Strong string with a first-order all-pass for the fractional delay.
Samples Harp(double f, double held, std::minstd_rand& rng) {
    const double period = double(kSampleRate) / f;
    const size_t delay = size_t(period - 0.5);
    const double fraction = period - 0.5 - double(delay);
    const double allpass = (1 - fraction) / (1 + fraction);
    std::uniform_real_distribution<float> noise(-1.f, 1.f);
    std::vector<float> line(delay);
    float previous = 0;
    for (float& x : line) {  // a softened burst: less click, rounder tone
        previous = 0.65f * previous + 0.35f * noise(rng);
        x = previous;
    }
    const double ring = std::max(held, 0.3) + 1.4;
    Samples out(size_t(ring * kSampleRate));
    const double damping = 0.996 - 0.002 * std::min(1.0, f / 1000);
    size_t index = 0;
    double lastIn = 0, lastOut = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double a = line[index];
        const double b = line[(index + 1) % delay];
        const double averaged = damping * 0.5 * (a + b);
        const double tuned = allpass * averaged + lastIn - allpass * lastOut;
        lastIn = averaged;
        lastOut = tuned;
        line[index] = float(tuned);
        index = (index + 1) % delay;
        double level = std::min(1.0, t / 0.004);  // no click at the pluck
        if (t > held + 1.0) level = std::max(0.0, 1.0 - (t - held - 1.0) / 0.4);
        out[n] = float(a * level);
    }
    return out;
}

Samples Flute(double f, double held, std::minstd_rand& rng) {
    const double release = 0.12;
    Samples out(size_t((held + release) * kSampleRate) + 1);
    std::uniform_real_distribution<double> noise(-1, 1);
    double phase = 0, breath = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double vibratoDepth = 0.004 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        phase += 2 * kPi * f * (1 + vibratoDepth * std::sin(2 * kPi * 5 * t)) / kSampleRate;
        breath = 0.9 * breath + 0.1 * noise(rng);
        const double tone =
            std::sin(phase) + 0.2 * std::sin(2 * phase) + 0.06 * std::sin(3 * phase);
        out[n] = float(Envelope(t, 0.08, held, release) * (0.8 * tone + 0.25 * breath));
    }
    return out;
}

Samples Pad(double f, double held, std::minstd_rand& rng) {
    const double release = 1.0;
    Samples out(size_t((held + release) * kSampleRate) + 1);
    std::uniform_real_distribution<double> startPhase(0, 2 * kPi);
    constexpr int kHarmonics = 6;
    std::array<double, 2 * kHarmonics> phases{};
    for (double& p : phases)
        p = startPhase(rng);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        double s = 0;
        for (int voice = 0; voice < 2; ++voice) {
            const double fv = f * (voice == 0 ? 0.9965 : 1.0035);
            for (int h = 1; h <= kHarmonics; ++h) {
                if (fv * h > kNyquistGuard) break;
                s += std::sin(2 * kPi * fv * h * t + phases[voice * kHarmonics + h - 1]) /
                     std::pow(h, 1.6);
            }
        }
        const double tremolo = 1 + 0.08 * std::sin(2 * kPi * 0.3 * t);
        out[n] = float(0.35 * tremolo * Envelope(t, 0.6, held, release) * s);
    }
    return out;
}

Samples Bass(double f, double held) {
    static const Partial kRound[] = {{1, 1.0, 0}, {2, 0.25, 0.5}, {3, 0.08, 0.3}};
    const double release = 0.15;
    Samples out(size_t((held + release) * kSampleRate) + 1);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double body = 0.7 + 0.3 * std::exp(-t / 0.3);
        out[n] = float(body * Envelope(t, 0.01, held, release) * SumPartials(f, t, kRound, 3));
    }
    return out;
}

Samples Drone(double f, double held) {
    const double release = 2.0;
    Samples out(size_t((held + release) * kSampleRate) + 1);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = double(n) / kSampleRate;
        const double swell = 0.75 + 0.25 * std::sin(2 * kPi * 0.15 * t);
        const double s = std::sin(2 * kPi * f * t) + std::sin(2 * kPi * f * 1.003 * t) +
                         0.3 * std::sin(2 * kPi * 2 * f * t);
        out[n] = float(0.4 * swell * Envelope(t, 1.5, held, release) * s);
    }
    return out;
}

Samples RenderNote(const Note& note, double secondsPerBeat, std::minstd_rand& rng) {
    const double f = Frequency(note.pitch);
    const double held = note.length * secondsPerBeat;
    Samples s;
    switch (note.instrument) {
        case Instrument::MusicBox: s = MusicBox(f, held); break;
        case Instrument::Bell: s = Bell(f, held); break;
        case Instrument::Harp: s = Harp(f, held, rng); break;
        case Instrument::Flute: s = Flute(f, held, rng); break;
        case Instrument::Pad: s = Pad(f, held, rng); break;
        case Instrument::Bass: s = Bass(f, held); break;
        case Instrument::Drone: s = Drone(f, held); break;
    }
    for (float& x : s)
        x *= note.velocity;
    return s;
}

// Mixes the notes of `passes` passes of the score into one buffer.
Samples Mix(const Piece& piece, int passes, double tailSeconds) {
    const double secondsPerBeat = 60.0 / piece.tempo;
    const double passSeconds = piece.beats * secondsPerBeat;
    Samples out(size_t((passes * passSeconds + tailSeconds) * kSampleRate));
    for (int pass = 0; pass < passes; ++pass) {
        for (size_t i = 0; i < piece.notes.size(); ++i) {
            // One seed per note, the same in every pass, so that the passes match.
            std::minstd_rand rng(static_cast<unsigned>(1000 + i));
            const Note& note = piece.notes[i];
            const Samples s = RenderNote(note, secondsPerBeat, rng);
            const size_t start =
                size_t((pass * passSeconds + note.beat * secondsPerBeat) * kSampleRate);
            for (size_t n = 0; n < s.size() && start + n < out.size(); ++n)
                out[start + n] += s[n];
        }
    }
    return out;
}

// A mono plate after the Schroeder pattern: parallel damped combs, then all-passes.
// The wet signal is scaled to `amount` of the dry signal's loudness.
void AddReverb(Samples& samples, float amount) {
    if (amount <= 0) return;
    static const size_t kCombs[] = {557, 593, 641, 677, 709, 743};
    static const size_t kAllPasses[] = {277, 211, 139};
    Samples wet(samples.size(), 0.f);
    for (size_t delay : kCombs) {
        std::vector<float> line(delay, 0.f);
        size_t index = 0;
        float low = 0;
        for (size_t n = 0; n < samples.size(); ++n) {
            const float out = line[index];
            low = 0.7f * out + 0.3f * low;
            line[index] = samples[n] + 0.8f * low;
            index = (index + 1) % delay;
            wet[n] += out;
        }
    }
    for (size_t delay : kAllPasses) {
        std::vector<float> line(delay, 0.f);
        size_t index = 0;
        for (float& x : wet) {
            const float delayed = line[index];
            const float in = x;
            line[index] = in + 0.5f * delayed;
            x = delayed - 0.5f * line[index];
            index = (index + 1) % delay;
        }
    }
    double dryEnergy = 0, wetEnergy = 0;
    for (size_t n = 0; n < samples.size(); ++n) {
        dryEnergy += double(samples[n]) * samples[n];
        wetEnergy += double(wet[n]) * wet[n];
    }
    if (wetEnergy <= 0) return;
    const float gain = float(amount * std::sqrt(dryEnergy / wetEnergy));
    for (size_t n = 0; n < samples.size(); ++n)
        samples[n] += gain * wet[n];
}

}  // namespace

int Pitch(const char* name) {
    static const int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pitch = kSteps[name[0] - 'A'];
    const char* rest = name + 1;
    while (*rest == '#' || *rest == 'b')
        pitch += (*rest++ == '#') ? 1 : -1;
    return pitch + 12 * (std::atoi(rest) + 1);
}

double AddLine(Piece& piece, Instrument instrument, double beat, float velocity, const char* line) {
    const char* p = line;
    char token[16];
    int used = 0;
    while (std::sscanf(p, " %15s%n", token, &used) == 1) {
        p += used;
        char* slash = std::strchr(token, '/');
        if (slash == nullptr) continue;
        *slash = '\0';
        const double length = std::atof(slash + 1);
        if (std::strcmp(token, "r") != 0)
            piece.notes.push_back({beat, length, Pitch(token), velocity, instrument});
        beat += length;
    }
    return beat;
}

void AddChord(Piece& piece, Instrument instrument, double beat, double length, float velocity,
              std::initializer_list<const char*> pitches) {
    for (const char* pitch : pitches)
        piece.notes.push_back({beat, length, Pitch(pitch), velocity, instrument});
}

Samples RenderLoop(const Piece& piece) {
    // Three passes: the middle one hears the tail of the first, exactly as the
    // start of a pass hears the tail of the pass before it when the player loops.
    Samples all = Mix(piece, 3, 0);
    AddReverb(all, piece.reverb);
    const size_t pass = size_t(piece.beats * 60.0 / piece.tempo * kSampleRate);
    return Samples(all.begin() + pass, all.begin() + 2 * pass);
}

Samples RenderOnce(const Piece& piece, double tailSeconds) {
    Samples out = Mix(piece, 1, tailSeconds);
    AddReverb(out, piece.reverb);
    const size_t fade = size_t(0.3 * kSampleRate);
    for (size_t n = 0; n < fade && n < out.size(); ++n)
        out[out.size() - 1 - n] *= float(n) / fade;
    return out;
}

void Normalise(Samples& samples, float peak) {
    float loudest = 0;
    for (float x : samples)
        loudest = std::max(loudest, std::fabs(x));
    if (loudest <= 0) return;
    for (float& x : samples)
        x *= peak / loudest;
}

bool WriteWave(const QString& file, const Samples& samples) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    const QByteArray name = file.toLocal8Bit();
    SNDFILE* out = sf_open(name.constData(), SFM_WRITE, &info);
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s: %s\n", name.constData(), sf_strerror(nullptr));
        return false;
    }
    sf_command(out, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t written = sf_write_float(out, samples.data(), sf_count_t(samples.size()));
    sf_close(out);
    if (written != sf_count_t(samples.size())) {
        std::fprintf(stderr, "cannot write %s: disk full?\n", name.constData());
        return false;
    }
    return true;
}

bool ReadWave(const QString& file, Samples& samples, int& rate) {
    SF_INFO info{};
    const QByteArray name = file.toLocal8Bit();
    SNDFILE* in = sf_open(name.constData(), SFM_READ, &info);
    if (in == nullptr) {
        std::fprintf(stderr, "cannot read %s: %s\n", name.constData(), sf_strerror(nullptr));
        return false;
    }
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    sf_readf_float(in, frames.data(), info.frames);
    sf_close(in);
    samples.assign(size_t(info.frames), 0.f);
    for (size_t n = 0; n < samples.size(); ++n) {
        for (int c = 0; c < info.channels; ++c)
            samples[n] += frames[n * info.channels + c];
        samples[n] /= float(info.channels);
    }
    rate = info.samplerate;
    return true;
}

}  // namespace synth

// A small synthesiser for the bundled game's music: a handful of instruments
// with envelopes, a score of notes, a plate of reverb, and a wave writer.
#pragma once

#include <QString>

#include <vector>

namespace synth {

constexpr int kSampleRate = 22050;

using Samples = std::vector<float>;

enum class Instrument {
    MusicBox,  // bright struck tine, quick decay
    Bell,      // inharmonic FM bell, long decay
    Harp,      // plucked string (Karplus-Strong)
    Flute,     // breathy sine with delayed vibrato
    Pad,       // slow detuned strings
    Bass,      // round sine bass
    Drone,     // very slow, beating low tone
};

struct Note {
    double beat;    // start, in beats from the start of the piece
    double length;  // held for this many beats (the release follows)
    int pitch;      // MIDI note number, 69 = A4
    float velocity;
    Instrument instrument;
};

struct Piece {
    double tempo = 100;    // beats per minute
    double beats = 0;      // length of one pass of the score
    float reverb = 0.25f;  // wet share of the plate
    std::vector<Note> notes;
};

// Score helpers. Pitches are written as in "C4", "F#5", "Bb3".
int Pitch(const char* name);

// Appends a melody written as "E5/1 D5/.5 r/1 ..." (note or r for a rest,
// slash, length in beats) starting at `beat`; returns the beat after it.
double AddLine(Piece& piece, Instrument instrument, double beat, float velocity, const char* line);

// Appends the notes of a chord, all starting at `beat`.
void AddChord(Piece& piece, Instrument instrument, double beat, double length, float velocity,
              std::initializer_list<const char*> pitches);

// One pass of a looping piece: exactly `beats` long, and its end runs on into
// its start without a seam, ringing notes and reverb included.
Samples RenderLoop(const Piece& piece);

// A piece played once, followed by `tailSeconds` for the last notes to ring out.
Samples RenderOnce(const Piece& piece, double tailSeconds);

// Scales the samples so that the loudest peak sits at `peak` (full scale 1).
void Normalise(Samples& samples, float peak);

// Writes 16-bit mono PCM at kSampleRate. Returns false with a message on stderr.
bool WriteWave(const QString& file, const Samples& samples);

// Reads any wave file libsndfile knows, mixed down to mono; sample rate into `rate`.
bool ReadWave(const QString& file, Samples& samples, int& rate);

}  // namespace synth

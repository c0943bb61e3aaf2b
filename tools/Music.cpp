#include "Music.h"

#include "Synth.h"

using synth::AddChord;
using synth::AddLine;
using synth::Instrument;
using synth::Piece;

namespace {

// Title and finale: a music-box waltz in F over a harp and soft strings.
Piece TitleWaltz() {
    Piece piece;
    piece.tempo = 84;
    piece.beats = 24;  // eight bars of 3/4
    piece.reverb = 0.35f;
    AddLine(piece, Instrument::MusicBox, 0, 0.9f,
            "A5/1.5 G5/.5 F5/1  D5/1 F5/1 A5/1  Bb5/1.5 A5/.5 G5/1  E5/2 r/1 "
            "A5/1 C6/1 A5/1  G5/1 E5/1 C5/1  D5/1 F5/1 E5/.5 D5/.5  C5/1 E5/1 G5/1");
    const char* harmony[][3] = {{"F3", "A3", "C4"},  {"D3", "F3", "A3"}, {"Bb2", "D3", "F3"},
                                {"C3", "E3", "G3"},  {"F3", "A3", "C4"}, {"A2", "C3", "E3"},
                                {"Bb2", "D3", "F3"}, {"C3", "E3", "Bb3"}};
    for (int bar = 0; bar < 8; ++bar) {
        const double beat = bar * 3;
        const char* const* chord = harmony[bar];
        AddChord(piece, Instrument::Pad, beat, 2.6, 0.28f, {chord[0], chord[1], chord[2]});
        AddChord(piece, Instrument::Bass, beat, 0.9, 0.45f, {chord[0]});
        AddChord(piece, Instrument::Harp, beat + 1, 0.5, 0.3f, {chord[1]});
        AddChord(piece, Instrument::Harp, beat + 2, 0.5, 0.3f, {chord[2]});
    }
    return piece;
}

// The wick shop and the houses of friends: warm harp arpeggios under a flute.
Piece HomeTheme() {
    Piece piece;
    piece.tempo = 92;
    piece.beats = 32;  // eight bars of 4/4
    piece.reverb = 0.3f;
    AddLine(piece, Instrument::Flute, 0, 0.45f,
            "D5/1.5 B4/.5 G4/1 A4/1  B4/3 r/1  C5/1.5 B4/.5 A4/1 G4/1  A4/3 r/1 "
            "D5/1.5 E5/.5 D5/1 B4/1  F#5/2 D5/2  E5/1.5 D5/.5 C5/1 E5/1  D5/2 A4/1 C5/1");
    const char* harmony[][4] = {{"G2", "G3", "B3", "D4"}, {"E2", "E3", "G3", "B3"},
                                {"C3", "C4", "E4", "G4"}, {"D2", "D3", "F#3", "A3"},
                                {"G2", "G3", "B3", "D4"}, {"B2", "B3", "D4", "F#4"},
                                {"C3", "C4", "E4", "G4"}, {"D2", "D3", "F#3", "C4"}};
    for (int bar = 0; bar < 8; ++bar) {
        const double beat = bar * 4;
        const char* const* chord = harmony[bar];
        AddChord(piece, Instrument::Bass, beat, 1.8, 0.4f, {chord[0]});
        AddChord(piece, Instrument::Bass, beat + 2, 1.8, 0.3f, {chord[0]});
        AddChord(piece, Instrument::Pad, beat, 3.6, 0.18f, {chord[1], chord[2], chord[3]});
        const char* arpeggio[] = {chord[1], chord[2], chord[3], chord[2]};
        for (int step = 0; step < 8; ++step)
            AddChord(piece, Instrument::Harp, beat + 0.5 * step, 0.4, step % 4 == 0 ? 0.32f : 0.24f,
                     {arpeggio[step % 4]});
    }
    return piece;
}

// The night town: a walking plucked bass in A minor and a lonely flute.
Piece NightTheme() {
    Piece piece;
    piece.tempo = 100;
    piece.beats = 32;
    piece.reverb = 0.3f;
    AddLine(piece, Instrument::Flute, 0, 0.42f,
            "E5/1 A5/1 G5/.5 E5/.5 C5/1  D5/1 C5/1 A4/2  B4/1 D5/1 G5/1 F5/.5 D5/.5  E5/3 r/1 "
            "E5/1 A5/1 B5/.5 C6/.5 B5/1  A5/1 F5/1 C5/2  D5/1 B4/1 G#4/1 B4/1  A4/3 r/1");
    AddLine(piece, Instrument::Harp, 0, 0.55f,
            "A2/1 C3/1 E3/1 C3/1  F2/1 A2/1 C3/1 A2/1  G2/1 B2/1 D3/1 B2/1  E2/1 G2/1 B2/1 G2/1 "
            "A2/1 C3/1 E3/1 C3/1  F2/1 A2/1 C3/1 A2/1  E2/1 G#2/1 B2/1 G#2/1  E2/1 B2/1 E3/1 D3/1");
    const char* harmony[][3] = {{"A3", "C4", "E4"},  {"F3", "A3", "C4"}, {"G3", "B3", "D4"},
                                {"E3", "G3", "B3"},  {"A3", "C4", "E4"}, {"F3", "A3", "C4"},
                                {"E3", "G#3", "B3"}, {"E3", "G#3", "D4"}};
    for (int bar = 0; bar < 8; ++bar) {
        const char* const* chord = harmony[bar];
        AddChord(piece, Instrument::Pad, bar * 4, 3.7, 0.16f, {chord[0], chord[1], chord[2]});
    }
    AddChord(piece, Instrument::MusicBox, 12, 1, 0.25f, {"B5"});
    AddChord(piece, Instrument::MusicBox, 28, 1, 0.25f, {"E6"});
    return piece;
}

// The fog: a low drone, slow strings and bells that never quite resolve.
Piece FogTheme() {
    Piece piece;
    piece.tempo = 60;
    piece.beats = 16;
    piece.reverb = 0.5f;
    AddChord(piece, Instrument::Drone, 0, 14.5, 0.5f, {"D2", "A2"});
    AddChord(piece, Instrument::Pad, 0, 3.5, 0.2f, {"D3", "F3", "E4"});
    AddChord(piece, Instrument::Pad, 4, 3.5, 0.2f, {"Bb2", "F3", "A3"});
    AddChord(piece, Instrument::Pad, 8, 3.5, 0.2f, {"G2", "D3", "Bb3"});
    AddChord(piece, Instrument::Pad, 12, 3.0, 0.2f, {"A2", "E3", "C#4"});
    AddLine(piece, Instrument::Bell, 0.5, 0.3f,
            "A5/1.5 F5/1 E5/2.5  D6/1.5 C#6/2 r/.5  A5/1 Bb5/1 A5/1 G5/1.5 r/.5  E5/2 r/1");
    return piece;
}

// Something found: a rising music-box figure that lands on a bell chord.
Piece FoundJingle() {
    Piece piece;
    piece.tempo = 132;
    piece.beats = 6;
    piece.reverb = 0.3f;
    AddLine(piece, Instrument::MusicBox, 0, 0.8f, "C5/.5 E5/.5 G5/.5 C6/.5 E6/.5 G6/1.5");
    AddChord(piece, Instrument::Bell, 2.5, 2, 0.35f, {"C5", "E5", "G5"});
    AddChord(piece, Instrument::Harp, 2.5, 2, 0.4f, {"C3", "G3", "C4"});
    AddChord(piece, Instrument::Pad, 0, 3.5, 0.2f, {"C4", "E4", "G4"});
    return piece;
}

// The light goes out for good: a falling line over a darkening minor chord.
Piece LostJingle() {
    Piece piece;
    piece.tempo = 72;
    piece.beats = 6;
    piece.reverb = 0.45f;
    AddLine(piece, Instrument::Bell, 0, 0.45f, "A4/1 G4/1 F4/1 E4/1 D4/2");
    AddChord(piece, Instrument::Pad, 0, 3.5, 0.25f, {"D3", "F3", "A3"});
    AddChord(piece, Instrument::Pad, 4, 2.0, 0.25f, {"Bb2", "D3", "F3"});
    AddChord(piece, Instrument::Drone, 0, 5, 0.45f, {"D2"});
    return piece;
}

struct Track {
    const char* file;
    Piece (*score)();
    bool loops;
};

// File names end in lower-case ".wav": the player only plays names ending in "v".
const Track kTracks[] = {
    {"loop101s.wav", TitleWaltz, true},  {"bgm_home.wav", HomeTheme, true},
    {"bgm_night.wav", NightTheme, true}, {"bgm_fog.wav", FogTheme, true},
    {"jingle.wav", FoundJingle, false},  {"lost.wav", LostJingle, false},
};

}  // namespace

bool MakeMusic(QStringList& made) {
    for (const Track& track : kTracks) {
        const Piece piece = track.score();
        synth::Samples samples =
            track.loops ? synth::RenderLoop(piece) : synth::RenderOnce(piece, 1.5);
        synth::Normalise(samples, 0.85f);
        if (!synth::WriteWave(QString::fromLatin1(track.file), samples)) return false;
        made << QString::fromLatin1(track.file);
    }
    return true;
}

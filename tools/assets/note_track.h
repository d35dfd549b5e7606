#pragma once
// Tunes written as text: a melody is a run of NOTE:STEPS tokens ("A4:2", "C#5:1", "Bb3:4",
// ".:2" for a rest) on a grid of sixteenth-note steps; chords ("Am", "F", "G") give bass and
// arpeggio lines; drum lines put one letter per step (k kick, s snare, h hat, c crash, . rest).
#include <string_view>
#include <vector>

#include "synth.h"

namespace assets {

struct Instrument {
    Wave wave = Wave::pulse25;
    double volume = 0.3;
    Envelope envelope;
};

struct Grid {
    long stepSamples; // samples per sixteenth note
};

double midiFrequency(int midi);
// MIDI number of a note name such as "A4" or "C#5"; -1 when it is not one.
int noteNumber(std::string_view name);
// Adds the melody from step `firstStep` on; returns its length in steps, or -1 on a bad token.
int addMelody(Mix& mix, const Grid& grid, std::string_view melody, const Instrument& instrument,
              int firstStep = 0);
// Adds a drum line, one letter per step, from step `firstStep` on.
void addDrums(Mix& mix, const Grid& grid, std::string_view line, double volume, int firstStep = 0);

struct Chord {
    int root; // MIDI number of the root in the bass register
    bool minor = false;
};
// "Am", "F", "G#m"...: the root lies between E2 and D#3.
Chord chordNamed(std::string_view name);
// For each chord (one per bar of 16 steps) plays `pattern` over and over: each entry is a chord
// tone (0 root, 1 third, 2 fifth, 3 octave, plus 4 per octave up) held `stepsPerNote` steps.
void addChordLine(Mix& mix, const Grid& grid, const std::vector<Chord>& bars,
                  const std::vector<int>& pattern, int stepsPerNote, int octaveShift,
                  const Instrument& instrument);

} // namespace assets

#pragma once
// A small chiptune synthesiser: pulse, triangle and noise voices with envelopes, mixed into a
// buffer of seconds-long clips at one fixed sample rate. The tonal voices are band-limited.
#include <cstdint>
#include <vector>

namespace assets {

// The game's mixer runs at this rate, so the clips play without being resampled.
constexpr int sampleRate = 44100;

enum class Wave { pulse12, pulse25, pulse50, triangle, noise };

// Attack and decay times in seconds; the release runs inside the note's length, so every note
// has faded to silence by its end and a loop that ends on a note end joins without a click.
struct Envelope {
    double attack = 0.004, decay = 0.06, sustain = 0.7, release = 0.02;
};

struct Note {
    long start = 0;          // first sample
    long length = 0;         // in samples, release included
    double frequency;        // Hz; for noise, the rate at which the noise generator steps
    double endFrequency = 0; // 0: no slide; else an exponential glide to this frequency
    Wave wave = Wave::pulse25;
    double volume = 0.3;
    Envelope envelope;
};

using Mix = std::vector<double>;

long secondsToSamples(double seconds);
// Adds the note to the mix; the part past the mix's end is dropped.
void addNote(Mix& mix, const Note& note);
// Scales the mix so its highest peak sits at peakDb (below 0 dBFS) and rounds it to 16 bits.
std::vector<int16_t> finishMix(const Mix& mix, double peakDb);
// Ramps the last seconds of a clip linearly down to zero.
void fadeOut(std::vector<int16_t>& samples, double seconds);

} // namespace assets

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace assets {

namespace {

double envelopeAt(const Envelope& e, double t, double length) {
    double level;
    if (t < e.attack)
        level = t / e.attack;
    else if (t < e.attack + e.decay)
        level = 1.0 - (1.0 - e.sustain) * (t - e.attack) / e.decay;
    else
        level = e.sustain;
    double releaseStart = length - e.release;
    if (t > releaseStart) level *= std::max(0.0, (length - t) / e.release);
    return level;
}

// One cycle of a wave, summed from its harmonics, so that no partial lies above the highest
// harmonic the note may play: nothing folds back below the Nyquist frequency as an off-key tone.
constexpr int tableSize = 4096;
// Partials above this are inaudible to most and would only add to the peak.
constexpr double highestPartial = 19000;

using Table = std::vector<double>;

double duty(Wave wave) {
    switch (wave) {
    case Wave::pulse12:
        return 0.125;
    case Wave::pulse25:
        return 0.25;
    default:
        return 0.5;
    }
}

// Pulse waves are drawn as pulse pairs, a positive pulse of the duty's width and a negative one
// half a cycle later, so a wave swings as far down as up and voices that meet do not pile up on
// one side: only the odd harmonics of the plain pulse remain, twice as strong. The triangle is
// the classic one; both start at a zero crossing.
const Table& tableFor(Wave wave, int harmonics) {
    static std::map<std::pair<Wave, int>, Table> tables;
    auto found = tables.find({wave, harmonics});
    if (found != tables.end()) return found->second;
    static const Table sine = [] {
        Table s(tableSize);
        for (int i = 0; i < tableSize; ++i)
            s[static_cast<size_t>(i)] = std::sin(2 * std::numbers::pi * i / tableSize);
        return s;
    }();
    auto at = [](long index) { return static_cast<size_t>(index % tableSize); };
    Table table(tableSize, 0.0);
    for (int k = 1; k <= harmonics; k += 2) {
        double sinPart, cosPart;
        if (wave == Wave::triangle) {
            sinPart = 0;
            cosPart = 8 / (std::numbers::pi * std::numbers::pi * k * k);
        } else {
            double d = duty(wave);
            cosPart = 2 * std::sin(2 * std::numbers::pi * k * d) / (std::numbers::pi * k);
            sinPart = 2 * (1 - std::cos(2 * std::numbers::pi * k * d)) / (std::numbers::pi * k);
        }
        for (long i = 0; i < tableSize; ++i) {
            long turn = static_cast<long>(k) * i;
            table[static_cast<size_t>(i)] +=
                sinPart * sine[at(turn)] + cosPart * sine[at(turn + tableSize / 4)];
        }
    }
    return tables.emplace(std::make_pair(wave, harmonics), std::move(table)).first->second;
}

double lookup(const Table& table, double phase) {
    double position = phase * tableSize;
    auto index = static_cast<long>(position);
    double fraction = position - static_cast<double>(index);
    double a = table[static_cast<size_t>(index % tableSize)];
    double b = table[static_cast<size_t>((index + 1) % tableSize)];
    return a + (b - a) * fraction;
}

} // namespace

long secondsToSamples(double seconds) {
    return std::lround(seconds * sampleRate);
}

void addNote(Mix& mix, const Note& note) {
    double length = note.length / double(sampleRate);
    double highest = std::max(note.frequency, note.endFrequency);
    int harmonics = std::clamp(static_cast<int>(highestPartial / highest), 1, tableSize / 2 - 1);
    const Table* table = note.wave == Wave::noise ? nullptr : &tableFor(note.wave, harmonics);
    // A triangle's table starts at its peak: a quarter cycle on, it crosses zero going down.
    double phase = note.wave == Wave::triangle ? 0.25 : 0;
    // The noise register starts from a well-stirred state, since the seed 1 would open with a
    // long run of one sign (a burst of DC).
    uint32_t noise = 0x5A3D; // 15-bit feedback shift register, the classic console noise
    double noiseValue = 1;
    for (long i = 0; i < note.length; ++i) {
        long at = note.start + i;
        if (at < 0) continue;
        if (at >= static_cast<long>(mix.size())) break;
        double t = i / double(sampleRate);
        double frequency = note.frequency;
        if (note.endFrequency > 0)
            frequency *= std::pow(note.endFrequency / note.frequency, t / length);
        double value = table ? lookup(*table, phase) : noiseValue;
        mix[static_cast<size_t>(at)] += value * note.volume * envelopeAt(note.envelope, t, length);
        phase += frequency / sampleRate;
        while (phase >= 1) {
            phase -= 1;
            if (note.wave == Wave::noise) {
                uint32_t bit = (noise ^ (noise >> 1)) & 1;
                noise = (noise >> 1) | (bit << 14);
                noiseValue = (noise & 1) ? 1.0 : -1.0;
            }
        }
    }
}

std::vector<int16_t> finishMix(const Mix& mix, double peakDb) {
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    double scale = peak > 0 ? 32767.0 * std::pow(10.0, peakDb / 20) / peak : 0;
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        samples[i] = static_cast<int16_t>(std::lround(mix[i] * scale));
    return samples;
}

void fadeOut(std::vector<int16_t>& samples, double seconds) {
    long count = std::min<long>(secondsToSamples(seconds), static_cast<long>(samples.size()));
    for (long i = 0; i < count; ++i) {
        size_t at = samples.size() - 1 - static_cast<size_t>(i);
        samples[at] = static_cast<int16_t>(std::lround(samples[at] * (i / double(count))));
    }
}

} // namespace assets

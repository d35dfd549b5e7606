#include "synth.h"

#include <algorithm>
#include <cmath>

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

// Pulses are offset so that each wave averages to zero: no DC, whatever the duty cycle.
double pulse(double phase, double duty) {
    return phase < duty ? 2 * (1 - duty) : -2 * duty;
}

double triangle(double phase) {
    return 4 * std::abs(phase - 0.5) - 1;
}

} // namespace

long secondsToSamples(double seconds) {
    return std::lround(seconds * sampleRate);
}

void addNote(Mix& mix, const Note& note) {
    double length = note.length / double(sampleRate);
    // Triangles start at their zero crossing; the noise register starts from a well-stirred
    // state, since the seed 1 would open with a long run of one sign (a burst of DC).
    double phase = note.wave == Wave::triangle ? 0.25 : 0;
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
        double value = 0;
        switch (note.wave) {
        case Wave::pulse12:
            value = pulse(phase, 0.125);
            break;
        case Wave::pulse25:
            value = pulse(phase, 0.25);
            break;
        case Wave::pulse50:
            value = pulse(phase, 0.5);
            break;
        case Wave::triangle:
            value = triangle(phase);
            break;
        case Wave::noise:
            value = noiseValue;
            break;
        }
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

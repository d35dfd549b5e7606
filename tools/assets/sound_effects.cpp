// The four effects. They restart often, so each is short, soft, and fades to zero at its end.
#include "tunes.h"

namespace assets {

namespace {

Clip finishEffect(const Mix& mix) {
    Clip clip = finishMix(mix, effectPeakDb);
    fadeOut(clip, 0.008);
    return clip;
}

Note sweep(Wave wave, double seconds, double from, double to, double volume, Envelope envelope,
           double at = 0) {
    Note note;
    note.start = secondsToSamples(at);
    note.length = secondsToSamples(seconds);
    note.frequency = from;
    note.endFrequency = to;
    note.wave = wave;
    note.volume = volume;
    note.envelope = envelope;
    return note;
}

} // namespace

// 140: a rising blip as a ball leaves.
Clip makeLaunch() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.16)), 0.0);
    addNote(mix, sweep(Wave::pulse25, 0.16, 392, 1568, 0.5, {0.002, 0.05, 0.6, 0.06}));
    addNote(mix, sweep(Wave::pulse12, 0.12, 784, 3136, 0.15, {0.002, 0.04, 0.5, 0.05}, 0.02));
    return finishEffect(mix);
}

// 141: a short pitched knock off the paddle.
Clip makePaddleHit() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.09)), 0.0);
    addNote(mix, sweep(Wave::triangle, 0.09, 660, 392, 0.8, {0.001, 0.03, 0.4, 0.04}));
    addNote(mix, sweep(Wave::noise, 0.02, 8000, 8000, 0.25, {0.001, 0.01, 0.3, 0.008}));
    return finishEffect(mix);
}

// 142: a bright crumble: grains of noise under a falling sparkle.
Clip makeBlockVanish() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.24)), 0.0);
    constexpr double grainAt[4] = {0.0, 0.045, 0.09, 0.14};
    constexpr double sparkle[3] = {2093, 1568, 1319};
    for (int i = 0; i < 4; ++i)
        addNote(mix, sweep(Wave::noise, 0.06, 14000 - 2500 * i, 14000 - 2500 * i, 0.3 - 0.06 * i,
                           {0.001, 0.02, 0.4, 0.03}, grainAt[i]));
    for (int i = 0; i < 3; ++i)
        addNote(mix, sweep(Wave::pulse12, 0.05, sparkle[i], sparkle[i], 0.22 - 0.05 * i,
                           {0.001, 0.02, 0.5, 0.02}, grainAt[i]));
    return finishEffect(mix);
}

// 143: a low thud as the field sinks a row.
Clip makeFieldSink() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.34)), 0.0);
    addNote(mix, sweep(Wave::triangle, 0.34, 110, 42, 0.8, {0.003, 0.12, 0.5, 0.15}));
    addNote(mix, sweep(Wave::noise, 0.2, 1200, 600, 0.3, {0.002, 0.08, 0.3, 0.1}));
    return finishEffect(mix);
}

} // namespace assets

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

// The effects restart as fast as every 66 ms (142) and 132 ms (140): each has fallen silent well
// before, so a restart never cuts one off in the middle with a click.

// 140: a rising blip as a ball leaves, over in 110 ms.
Clip makeLaunch() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.11)), 0.0);
    addNote(mix, sweep(Wave::pulse25, 0.11, 392, 1568, 0.5, {0.002, 0.04, 0.6, 0.04}));
    addNote(mix, sweep(Wave::pulse12, 0.08, 784, 3136, 0.15, {0.002, 0.03, 0.5, 0.03}, 0.015));
    return finishEffect(mix);
}

// 141: a short pitched knock off the paddle.
Clip makePaddleHit() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.09)), 0.0);
    addNote(mix, sweep(Wave::triangle, 0.09, 660, 392, 0.8, {0.001, 0.03, 0.4, 0.04}));
    addNote(mix, sweep(Wave::noise, 0.02, 6000, 6000, 0.25, {0.002, 0.01, 0.3, 0.008}));
    return finishEffect(mix);
}

// 142: a bright crumble, over in 60 ms: grains of noise under a falling sparkle.
Clip makeBlockVanish() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.06)), 0.0);
    constexpr double grainAt[3] = {0.0, 0.014, 0.028};
    constexpr double sparkle[3] = {2093, 1568, 1319};
    for (int i = 0; i < 3; ++i) {
        addNote(mix, sweep(Wave::noise, 0.03, 9000 - 1500 * i, 9000 - 1500 * i, 0.3 - 0.06 * i,
                           {0.003, 0.01, 0.4, 0.012}, grainAt[i]));
        addNote(mix, sweep(Wave::pulse12, 0.026, sparkle[i], sparkle[i], 0.22 - 0.05 * i,
                           {0.001, 0.01, 0.5, 0.01}, grainAt[i]));
    }
    return finishEffect(mix);
}

// 143: a thud as the field sinks a row. It falls from the low mid-range and opens with a knock,
// so that a small speaker, which carries nothing below about 200 Hz, still sounds the warning.
Clip makeFieldSink() {
    Mix mix(static_cast<size_t>(secondsToSamples(0.34)), 0.0);
    addNote(mix, sweep(Wave::triangle, 0.34, 240, 90, 0.8, {0.003, 0.12, 0.5, 0.15}));
    addNote(mix, sweep(Wave::pulse50, 0.07, 440, 260, 0.35, {0.001, 0.03, 0.4, 0.03}));
    addNote(mix, sweep(Wave::noise, 0.2, 1200, 600, 0.3, {0.002, 0.08, 0.3, 0.1}));
    return finishEffect(mix);
}

} // namespace assets

#pragma once
// The game's music and effects, each synthesised by its own file. All music is in A minor /
// C major, so the tunes hand over to one another without a change of key.
#include <cstdint>
#include <vector>

#include "note_track.h"

namespace assets {

using Clip = std::vector<int16_t>;

Clip makeRoundIntro();  // 128: "get ready", leads into the calm loop
Clip makeCalmLoop();    // 129
Clip makeDangerLoop();  // 130: the same key, faster, with a driving bass
Clip makeTitleIntro();  // 131: a fanfare, leads into the title loop
Clip makeTitleLoop();   // 132
Clip makeLaunch();      // 140
Clip makePaddleHit();   // 141
Clip makeBlockVanish(); // 142
Clip makeFieldSink();   // 143

// The mixer adds the music and up to four effects: the music peaks well below full scale and the
// effects, which sound over it and repeat often, lower still, so a busy round does not clip.
constexpr double musicPeakDb = -4.0;
constexpr double effectPeakDb = -10.0;

namespace band {
inline const Instrument lead{Wave::pulse25, 0.30, {0.004, 0.08, 0.6, 0.03}};
inline const Instrument harmony{Wave::pulse50, 0.13, {0.004, 0.08, 0.5, 0.03}};
inline const Instrument arpeggio{Wave::pulse12, 0.11, {0.003, 0.05, 0.35, 0.02}};
inline const Instrument bass{Wave::triangle, 0.50, {0.004, 0.05, 0.8, 0.02}};
} // namespace band

// Makes a mix that holds exactly `bars` bars of sixteen steps.
inline Mix barsOf(const Grid& grid, int bars) {
    return Mix(static_cast<size_t>(bars * 16 * grid.stepSamples), 0.0);
}

} // namespace assets

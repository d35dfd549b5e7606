// 128: a short "get ready" jingle, an A minor run that lands on A with a cymbal.
#include "tunes.h"

namespace assets {

Clip makeRoundIntro() {
    const Grid grid{4410}; // 0.1 s per step
    Mix mix(static_cast<size_t>(24 * grid.stepSamples), 0.0);
    addMelody(mix, grid, "A4:1 C5:1 E5:1 A5:1 G5:2 E5:2 | F5:1 A5:1 C6:2 B5:2 G#5:2 | A5:8",
              band::lead);
    addMelody(mix, grid, "E4:4 E4:4 | A4:4 B4:4 | C5:8", band::harmony);
    addMelody(mix, grid, "A3:4 A3:4 | F3:4 E3:4 | A3:8", band::bass);
    addDrums(mix, grid, "k.h.k.h.k.h.s.s.c.......", 0.35);
    Clip clip = finishMix(mix, musicPeakDb);
    fadeOut(clip, 0.05);
    return clip;
}

} // namespace assets

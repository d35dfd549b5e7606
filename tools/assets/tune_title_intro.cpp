// 131: the title fanfare, a rising C major call that ends on a held chord and a cymbal.
#include "tunes.h"

namespace assets {

Clip makeTitleIntro() {
    const Grid grid{4800};
    Mix mix(static_cast<size_t>(36 * grid.stepSamples), 0.0);
    addMelody(mix, grid, "G4:1 C5:1 E5:1 G5:1 C6:3 G5:1 E5:2 G5:2 C6:4 | A5:2 F5:2 B5:2 G5:2 C6:12",
              band::lead);
    addMelody(mix, grid, "E4:1 G4:1 C5:1 E5:1 G5:3 E5:1 C5:2 E5:2 E5:4 | F5:2 C5:2 G5:2 D5:2 E5:12",
              band::harmony);
    addMelody(mix, grid, "C3:4 C3:4 G3:4 C3:4 | F3:4 G3:4 C3:12", band::bass);
    addDrums(mix, grid, "k...k...k...ssssk...k...c...........", 0.35);
    Clip clip = finishMix(mix, musicPeakDb);
    fadeOut(clip, 0.05);
    return clip;
}

} // namespace assets

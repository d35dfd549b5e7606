// 129: the calm round loop, eight upbeat bars over Am F C G with a bouncing octave bass.
#include "tunes.h"

namespace assets {

Clip makeCalmLoop() {
    const Grid grid{5200}; // about 127 beats a minute
    Mix mix = barsOf(grid, 8);
    addMelody(mix, grid,
              "A4:2 C5:2 E5:2 A5:4 G5:2 E5:4 | F5:2 E5:2 C5:2 A4:6 C5:4 |"
              "E5:2 G5:2 C6:4 B5:2 G5:2 E5:4 | D5:4 G5:4 B4:4 D5:4 |"
              "A5:3 G5:1 E5:4 A5:2 B5:2 C6:4 | A5:4 F5:4 C5:2 F5:2 A5:4 |"
              "G5:2 E5:2 G5:2 C6:2 E6:4 D6:4 | B5:4 G5:2 D5:2 B4:4 E5:4",
              band::lead);
    std::vector<Chord> bars;
    for (const char* name : {"Am", "F", "C", "G", "Am", "F", "C", "G"})
        bars.push_back(chordNamed(name));
    addChordLine(mix, grid, bars, {0, 3}, 2, 0, band::bass);
    addChordLine(mix, grid, bars, {4, 5, 6, 5}, 2, 1, band::arpeggio);
    for (int bar = 0; bar < 8; ++bar)
        addDrums(mix, grid, bar % 4 == 3 ? "k.h.s.h.k.h.s.ss" : "k.h.s.h.k.khs.h.", 0.3, bar * 16);
    return finishMix(mix, musicPeakDb);
}

} // namespace assets

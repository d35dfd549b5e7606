// 132: the relaxed title loop, eight bars over C Am F G with a gentle arpeggio.
#include "tunes.h"

namespace assets {

Clip makeTitleLoop() {
    const Grid grid{5400}; // about 122 beats a minute, in long notes
    Mix mix = barsOf(grid, 8);
    addMelody(mix, grid,
              "E5:4 G5:4 C6:6 B5:2 | A5:6 G5:2 E5:8 | F5:4 A5:4 C6:4 A5:4 | G5:8 D5:4 B4:4 |"
              "E5:4 G5:4 C6:4 E6:4 | D6:4 C6:4 A5:8 | F5:2 G5:2 A5:4 C6:4 D6:4 | B5:6 G5:2 D5:8",
              band::lead);
    std::vector<Chord> bars;
    for (const char* name : {"C", "Am", "F", "G", "C", "Am", "F", "G"})
        bars.push_back(chordNamed(name));
    addChordLine(mix, grid, bars, {0, 0, 2, 0}, 4, 0, band::bass);
    addChordLine(mix, grid, bars, {4, 5, 6, 7, 6, 5, 4, 5}, 2, 1, band::arpeggio);
    for (int bar = 0; bar < 8; ++bar)
        addDrums(mix, grid, "k...h...s...h...", 0.22, bar * 16);
    return finishMix(mix, musicPeakDb);
}

} // namespace assets

// 130: the danger loop, in the calm loop's key but faster and tenser: a minor-second hook over
// Am Am F E / Am Am Dm E, a pounding eighth-note bass and sixteenth-note hats.
#include "tunes.h"

namespace assets {

Clip makeDangerLoop() {
    const Grid grid{3800}; // about 174 beats a minute
    Mix mix = barsOf(grid, 8);
    addMelody(mix, grid,
              "E5:2 .:1 E5:1 F5:2 E5:2 C5:2 .:2 A4:4 | E5:2 .:1 E5:1 F5:2 E5:2 G5:4 E5:4 |"
              "F5:2 .:1 F5:1 G5:2 F5:2 C5:4 A4:4 | G#4:4 B4:4 E5:4 D5:2 B4:2 |"
              "A5:2 .:1 A5:1 G5:2 E5:2 A5:2 .:2 C6:4 | B5:2 A5:2 G5:2 E5:2 A5:8 |"
              "D5:2 F5:2 A5:4 G5:2 F5:2 E5:4 | G#5:4 B5:4 E5:4 G#4:4",
              band::lead);
    std::vector<Chord> bars;
    for (const char* name : {"Am", "Am", "F", "E", "Am", "Am", "Dm", "E"})
        bars.push_back(chordNamed(name));
    // The bass sits an octave above the lowest register, where small speakers still carry it.
    addChordLine(mix, grid, bars, {0, 0, 3, 0}, 2, 0, band::bass);
    addChordLine(mix, grid, bars, {4, 6}, 1, 0, band::arpeggio);
    for (int bar = 0; bar < 8; ++bar)
        addDrums(mix, grid, bar % 4 == 3 ? "k.hhs.hhk.hhssss" : "k.hhs.hhk.hhs.hh", 0.32, bar * 16);
    return finishMix(mix, musicPeakDb);
}

} // namespace assets

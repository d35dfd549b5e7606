#pragma once
// Makes a drawn picture's checksum equal a given value by raising a few covered bytes by
// invisible amounts, so that the game's fixed expected values accept our own artwork.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "canvas.h"

namespace assets {

// A rectangle of the picture (top-down pixels) inside which bytes may be changed.
struct TuneArea {
    int left = 0, top = 0, width = 0, height = 0;
};

// Tunes the canvas whose first width x height bytes the checksum covers. Only pixels inside the
// area whose three bytes are all at most 250 are touched (so no byte overflows and no pixel can
// become the white key), each byte by at most 2 for multipliers 3 and 5 and by at most 1 for
// larger odd multipliers. Returns true when the checksum now equals the target; false (and the
// canvas unchanged) when the multiplier is even or 1, or the area holds too few usable bytes.
bool tuneChecksum(Canvas& canvas, uint32_t multiplier, uint32_t target, const TuneArea& area);

// The two methods on a raw byte array. Both change bytes only below `covered` and return false,
// leaving the bytes as they were, when they cannot reach the target.
//
// A run of consecutive bytes starting at runStart gets the base-multiplier digits of the
// difference: the run's bytes carry the weights m^k ... m^(k+r-1), where k is the number of
// covered bytes after the run, so with m^r >= 2^32 every target is reached exactly. The run is
// runLengthFor(m) bytes long; each byte rises by at most m - 1.
size_t runLengthFor(uint32_t multiplier);
bool tuneRun(std::vector<uint8_t>& bytes, size_t covered, uint32_t multiplier, uint32_t target,
             size_t runStart);
// Each listed byte rises by 0 or 1; the subset is found by meeting in the middle (up to 2^20
// sums per half, sorted). With 40 bytes there are 2^40 subsets for 2^32 targets, so a miss is
// vanishingly rare; the caller tries another set of bytes if it happens.
bool tuneSubset(std::vector<uint8_t>& bytes, size_t covered, uint32_t multiplier, uint32_t target,
                std::span<const size_t> positions);

} // namespace assets

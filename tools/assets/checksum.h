#pragma once
// The game's bitmap checksum: a polynomial in the multiplier over the first width x height bytes
// of the bottom-up pixel array, modulo 2^32.
#include <cstddef>
#include <cstdint>

namespace assets {

uint32_t bitmapChecksum(const uint8_t* pixels, size_t covered, uint32_t multiplier);
// multiplier^exponent modulo 2^32.
uint32_t powerMod32(uint32_t multiplier, size_t exponent);

} // namespace assets

#include "checksum.h"

namespace assets {

uint32_t bitmapChecksum(const uint8_t* pixels, size_t covered, uint32_t multiplier) {
    uint32_t sum = 0;
    for (size_t i = 0; i < covered; ++i)
        sum = sum * multiplier + pixels[i];
    return sum;
}

uint32_t powerMod32(uint32_t multiplier, size_t exponent) {
    uint32_t result = 1;
    while (exponent > 0) {
        if (exponent & 1) result *= multiplier;
        multiplier *= multiplier;
        exponent >>= 1;
    }
    return result;
}

} // namespace assets

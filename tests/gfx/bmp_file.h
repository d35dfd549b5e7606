#pragma once
// Builds small .bmp files byte by byte, so a test can say exactly which header field it bends.
#include <cstdint>
#include <string>
#include <vector>

#include "support/files.h"

namespace bmpfile {

inline void putU16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void putU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    putU16(out, at, v & 0xFFFF);
    putU16(out, at + 2, v >> 16);
}

struct Info {
    int32_t width = 4;
    int32_t height = 1;
    uint32_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;       // 0: as many as the palette has
    std::vector<uint32_t> masks;   // written after a 40-byte header when present
    std::vector<uint32_t> palette; // 0x00RRGGBB entries
    std::vector<uint8_t> pixels;
};

// Offsets of the fields in a file with an info header.
constexpr size_t kDataOffset = 10;
constexpr size_t kHeaderSize = 14;
constexpr size_t kWidth = 18;
constexpr size_t kHeight = 22;
constexpr size_t kPlanes = 26;
constexpr size_t kBitCount = 28;
constexpr size_t kCompression = 30;
constexpr size_t kImageSize = 34;
constexpr size_t kColorsUsed = 46;

inline std::vector<uint8_t> build(const Info& info) {
    const size_t tableSize = info.masks.size() * 4 + info.palette.size() * 4;
    const size_t offset = 54 + tableSize;
    std::vector<uint8_t> out(offset);
    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<uint32_t>(offset + info.pixels.size()));
    putU32(out, kDataOffset, static_cast<uint32_t>(offset));
    putU32(out, kHeaderSize, 40);
    putU32(out, kWidth, static_cast<uint32_t>(info.width));
    putU32(out, kHeight, static_cast<uint32_t>(info.height));
    putU16(out, kPlanes, 1);
    putU16(out, kBitCount, info.bitCount);
    putU32(out, kCompression, info.compression);
    putU32(out, kImageSize, info.imageSize);
    putU32(out, kColorsUsed,
           info.colorsUsed != 0 ? info.colorsUsed : static_cast<uint32_t>(info.palette.size()));
    size_t at = 54;
    for (uint32_t m : info.masks)
        putU32(out, at, m), at += 4;
    for (uint32_t c : info.palette)
        putU32(out, at, c), at += 4;
    out.insert(out.end(), info.pixels.begin(), info.pixels.end());
    return out;
}

} // namespace bmpfile

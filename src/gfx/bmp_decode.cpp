#include "gfx/bmp_decode.h"

#include <bit>
#include <cstring>

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t readU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// One colour of a bit-field pixel: where its bits are and how many there are.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

Channel channelOf(uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.bits = std::bit_width(mask >> c.shift);
    return c;
}

// Widens a field to 8 bits by repeating its bits, so the field's maximum becomes 255.
uint8_t expand(uint32_t pixel, const Channel& c) {
    if (c.bits == 0) return 0;
    const uint32_t v = (pixel & c.mask) >> c.shift;
    if (c.bits >= 8) return static_cast<uint8_t>(v >> (c.bits - 8));
    uint32_t out = 0;
    for (int s = 8 - c.bits; s > -c.bits; s -= c.bits)
        out |= s >= 0 ? v << s : v >> -s;
    return static_cast<uint8_t>(out);
}

struct Layout {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = kRgb;
    const uint8_t* data = nullptr; // the pixel array
    size_t dataSize = 0;
    size_t stride = 0;            // bytes per file row, uncompressed only
    uint8_t palette[256][3] = {}; // blue, green, red; entries the file leaves out are black
    Channel red, green, blue;
};

bool validDepth(uint32_t compression, uint32_t bitCount, bool core, bool topDown) {
    switch (compression) {
    case kRgb:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 ||
               (!core && (bitCount == 16 || bitCount == 32));
    case kRle8:
        return !core && !topDown && bitCount == 8;
    case kRle4:
        return !core && !topDown && bitCount == 4;
    case kBitFields:
        return !core && (bitCount == 16 || bitCount == 32);
    default:
        return false;
    }
}

bool parse(const uint8_t* file, size_t size, Layout& out) {
    if (size < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return false;
    const uint32_t dataOffset = readU32(file + 10);
    const uint32_t headerSize = readU32(file + 14);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return false;
    if (size - kFileHeaderSize < headerSize) return false;
    const uint8_t* header = file + kFileHeaderSize;

    int64_t width, height;
    uint32_t planes, colorsUsed = 0, imageSize = 0;
    if (core) {
        width = readU16(header + 4);
        height = readU16(header + 6);
        planes = readU16(header + 8);
        out.bitCount = readU16(header + 10);
    } else {
        width = static_cast<int32_t>(readU32(header + 4));
        height = static_cast<int32_t>(readU32(header + 8));
        planes = readU16(header + 12);
        out.bitCount = readU16(header + 14);
        out.compression = readU32(header + 16);
        imageSize = readU32(header + 20);
        colorsUsed = readU32(header + 32);
    }
    out.topDown = height < 0;
    if (height < 0) height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > kBmpMaxSide || height > kBmpMaxSide ||
        width * height > kBmpMaxPixels || width % 4 != 0)
        return false;
    if (!validDepth(out.compression, out.bitCount, core, out.topDown)) return false;
    out.width = static_cast<int32_t>(width);
    out.height = static_cast<int32_t>(height);

    size_t tableStart = kFileHeaderSize + headerSize;
    if (out.compression == kBitFields) {
        const uint8_t* masks = header + 40;
        if (headerSize == 40) {
            if (size - tableStart < 12) return false;
            masks = file + tableStart;
            tableStart += 12;
        }
        out.red = channelOf(readU32(masks));
        out.green = channelOf(readU32(masks + 4));
        out.blue = channelOf(readU32(masks + 8));
    } else if (out.bitCount == 16) {
        out.red = channelOf(0x7C00);
        out.green = channelOf(0x03E0);
        out.blue = channelOf(0x001F);
    } else {
        out.red = channelOf(0xFF0000);
        out.green = channelOf(0x00FF00);
        out.blue = channelOf(0x0000FF);
    }

    if (out.bitCount <= 8) {
        const uint32_t maxColors = 1u << out.bitCount;
        const uint32_t count =
            core || colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
        const size_t entrySize = core ? 3 : 4;
        if ((size - tableStart) / entrySize < count) return false;
        for (uint32_t i = 0; i < count; ++i)
            std::memcpy(out.palette[i], file + tableStart + i * entrySize, 3);
    }

    if (dataOffset < tableStart || dataOffset > size) return false;
    out.data = file + dataOffset;
    const size_t available = size - dataOffset;
    if (out.compression == kRle8 || out.compression == kRle4) {
        if (imageSize > available) return false;
        out.dataSize = imageSize != 0 ? imageSize : available;
    } else {
        out.stride = (static_cast<size_t>(out.width) * out.bitCount + 31) / 32 * 4;
        if (available / out.stride < static_cast<size_t>(out.height)) return false;
        out.dataSize = out.stride * static_cast<size_t>(out.height);
    }
    return true;
}

void putIndex(const Layout& layout, uint8_t* pixel, uint32_t index) {
    std::memcpy(pixel, layout.palette[index], 3);
}

void decodeRow(const Layout& layout, const uint8_t* row, uint8_t* out) {
    const int32_t width = layout.width;
    switch (layout.bitCount) {
    case 1:
        for (int32_t x = 0; x < width; ++x)
            putIndex(layout, out + x * 3, (row[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int32_t x = 0; x < width; ++x)
            putIndex(layout, out + x * 3, (row[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 15);
        break;
    case 8:
        for (int32_t x = 0; x < width; ++x)
            putIndex(layout, out + x * 3, row[x]);
        break;
    case 24:
        std::memcpy(out, row, static_cast<size_t>(width) * 3);
        break;
    default:
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel =
                layout.bitCount == 16 ? readU16(row + x * 2) : readU32(row + x * 4);
            out[x * 3] = expand(pixel, layout.blue);
            out[x * 3 + 1] = expand(pixel, layout.green);
            out[x * 3 + 2] = expand(pixel, layout.red);
        }
        break;
    }
}

// Runs, line ends, jumps and literal runs; pixels the stream never reaches keep palette entry 0,
// and pixels a run carries past the end of its line are dropped.
bool decodeRle(const Layout& layout, uint8_t* pixels) {
    const int32_t width = layout.width, height = layout.height;
    const bool four = layout.compression == kRle4;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int32_t x = 0; x < width; ++x)
        putIndex(layout, pixels + x * 3, 0);
    for (int32_t row = 1; row < height; ++row)
        std::memcpy(pixels + row * rowBytes, pixels, rowBytes);

    const uint8_t* data = layout.data;
    const size_t size = layout.dataSize;
    size_t at = 0;
    int32_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < width) putIndex(layout, pixels + (static_cast<size_t>(y) * width + x) * 3, index);
        ++x;
    };
    while (y < height) {
        if (size - at < 2) return false;
        const uint32_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (uint32_t k = 0; k < count && x < width; ++k)
                put(four ? ((k & 1) != 0 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (size - at < 2) return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            if (x > width) x = width;
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t{1};
            if (size - at < padded) return false;
            for (uint32_t k = 0; k < value && x < width; ++k) {
                const uint32_t byte = data[at + (four ? k / 2 : k)];
                put(four ? ((k & 1) != 0 ? byte & 15 : byte >> 4) : byte);
            }
            at += padded;
        }
    }
    return true;
}

} // namespace

int readBmpSize(const uint8_t* file, size_t fileSize, int32_t& width, int32_t& height) {
    Layout layout;
    if (file == nullptr || !parse(file, fileSize, layout)) return 0;
    width = layout.width;
    height = layout.height;
    return 1;
}

int decodeBmp(const uint8_t* file, size_t fileSize, uint8_t* pixels, size_t pixelsSize) {
    Layout layout;
    if (file == nullptr || !parse(file, fileSize, layout)) return 0;
    const size_t rowBytes = static_cast<size_t>(layout.width) * 3;
    if (pixels == nullptr || pixelsSize / rowBytes < static_cast<size_t>(layout.height)) return 0;
    if (layout.compression == kRle8 || layout.compression == kRle4)
        return decodeRle(layout, pixels) ? 1 : 0;
    for (int32_t r = 0; r < layout.height; ++r) {
        const int32_t line = layout.topDown ? layout.height - 1 - r : r;
        decodeRow(layout, layout.data + static_cast<size_t>(r) * layout.stride,
                  pixels + static_cast<size_t>(line) * rowBytes);
    }
    return 1;
}

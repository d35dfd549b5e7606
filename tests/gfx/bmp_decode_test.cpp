#include "gfx/bmp_decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/bmp_file.h"

using bmpfile::build;
using bmpfile::Info;

namespace {

const std::string kFixtures = std::string(VORBLET_SOURCE_DIR) + "/tests/gfx/fixtures/";

// Decodes a whole file; empty when it is refused.
std::vector<uint8_t> decode(const std::vector<uint8_t>& file, int32_t* width = nullptr,
                            int32_t* height = nullptr) {
    int32_t w = 0, h = 0;
    if (readBmpSize(file.data(), file.size(), w, h) != 1) return {};
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 3);
    if (decodeBmp(file.data(), file.size(), pixels.data(), pixels.size()) != 1) return {};
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
    return pixels;
}

struct Fixture {
    const char* name;
    uint32_t headerSize;
    uint32_t bitCount;
    uint32_t compression;
    bool topDown;
};

// Each file was written (or rebuilt from a file written) by ImageMagick, and its .bgr holds
// ImageMagick's own decoding of it, top line first.
const Fixture kFixtureFiles[] = {
    {"pal1", 40, 1, 0, false},      {"pal4", 40, 4, 0, false},    {"pal8", 40, 8, 0, false},
    {"rle8_im", 40, 8, 1, false},   {"rle8", 40, 8, 1, false},    {"rle4", 40, 4, 2, false},
    {"core4", 12, 4, 0, false},     {"core8", 12, 8, 0, false},   {"core24", 12, 24, 0, false},
    {"rgb16", 40, 16, 0, false},    {"rgb24", 40, 24, 0, false},  {"rgb32", 40, 32, 0, false},
    {"info_565", 40, 16, 3, false}, {"v2_565", 52, 16, 3, false}, {"v3_32", 56, 32, 3, false},
    {"v4_24", 108, 24, 0, false},   {"v5_24", 124, 24, 0, false}, {"v5_555", 124, 16, 3, false},
    {"v5_565", 124, 16, 3, false},  {"v5_32", 124, 32, 3, false}, {"topdown24", 40, 24, 0, true},
    {"topdown32", 56, 32, 3, true},
};

class FixtureTest : public testing::TestWithParam<Fixture> {};

TEST_P(FixtureTest, DecodesAsImageMagickDoes) {
    const Fixture& f = GetParam();
    const auto file = readBytes(kFixtures + f.name + ".bmp");
    const auto expected = readBytes(kFixtures + f.name + ".bgr");
    ASSERT_GT(file.size(), 30u);
    ASSERT_EQ(expected.size(), 12u * 6 * 3);

    // The file really is of the kind it stands for.
    ASSERT_EQ(file[14], f.headerSize);
    if (f.headerSize == 12) {
        EXPECT_EQ(file[24], f.bitCount);
    } else {
        EXPECT_EQ(file[28], f.bitCount);
        EXPECT_EQ(file[30], f.compression);
        EXPECT_EQ(file[25] >= 0x80, f.topDown);
    }

    int32_t width = 0, height = 0;
    const auto pixels = decode(file, &width, &height);
    ASSERT_EQ(width, 12);
    ASSERT_EQ(height, 6);
    ASSERT_EQ(pixels.size(), expected.size());
    for (int y = 0; y < 6; ++y) {
        const std::vector<uint8_t> want(expected.begin() + y * 36, expected.begin() + y * 36 + 36);
        const std::vector<uint8_t> got(pixels.begin() + (5 - y) * 36,
                                       pixels.begin() + (5 - y) * 36 + 36);
        EXPECT_EQ(got, want) << "line " << y;
    }
}

// Cutting any byte off the end loses pixel data or the end of the run-length stream.
TEST_P(FixtureTest, RefusesEveryTruncation) {
    const auto file = readBytes(kFixtures + GetParam().name + ".bmp");
    for (size_t size = 0; size < file.size(); ++size) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_TRUE(decode(cut).empty()) << "decoded the first " << size << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureTest, testing::ValuesIn(kFixtureFiles),
                         [](const auto& info) { return std::string(info.param.name); });

Info small24() {
    Info info;
    info.width = 4;
    info.height = 2;
    info.pixels.resize(4 * 2 * 3);
    for (size_t i = 0; i < info.pixels.size(); ++i)
        info.pixels[i] = static_cast<uint8_t>(i + 1);
    return info;
}

TEST(BmpDecode, TwentyFourBitRowsAreCopiedAsStored) {
    const auto pixels = decode(build(small24()));
    EXPECT_EQ(pixels, small24().pixels);
}

struct Lie {
    const char* what;
    size_t at;
    uint32_t value;
    int bytes;
};

TEST(BmpDecode, RefusesFilesThatLieAboutTheirLayout) {
    const Lie lies[] = {
        {"width not a multiple of 4", bmpfile::kWidth, 5, 4},
        {"width 2", bmpfile::kWidth, 2, 4},
        {"zero width", bmpfile::kWidth, 0, 4},
        {"negative width", bmpfile::kWidth, static_cast<uint32_t>(-4), 4},
        {"zero height", bmpfile::kHeight, 0, 4},
        {"more lines than data", bmpfile::kHeight, 3, 4},
        {"most negative height", bmpfile::kHeight, 0x80000000u, 4},
        {"huge width", bmpfile::kWidth, 0x7FFFFFFCu, 4},
        {"data offset past the end", bmpfile::kDataOffset, 1000, 4},
        {"data offset inside the header", bmpfile::kDataOffset, 20, 4},
        {"unknown header size", bmpfile::kHeaderSize, 64, 4},
        {"header larger than the file", bmpfile::kHeaderSize, 124, 4},
        {"two planes", bmpfile::kPlanes, 2, 2},
        {"2 bits per pixel", bmpfile::kBitCount, 2, 2},
        {"JPEG compression", bmpfile::kCompression, 4, 4},
        {"RLE8 on a 24-bit image", bmpfile::kCompression, 1, 4},
        {"bit fields on a 24-bit image", bmpfile::kCompression, 3, 4},
        {"bad signature", 0, 'X', 1},
    };
    const auto good = build(small24());
    ASSERT_FALSE(decode(good).empty());
    for (const Lie& lie : lies) {
        auto file = good;
        for (int k = 0; k < lie.bytes; ++k)
            file[lie.at + k] = static_cast<uint8_t>(lie.value >> (8 * k));
        EXPECT_TRUE(decode(file).empty()) << lie.what;
    }
}

TEST(BmpDecode, RefusesAPaletteThatRunsOffTheFile) {
    Info info;
    info.bitCount = 8;
    info.colorsUsed = 200; // only two entries and four pixel bytes follow
    info.palette = {0x112233, 0x445566};
    info.pixels = {0, 1, 0, 1};
    EXPECT_TRUE(decode(build(info)).empty());
    info.colorsUsed = 2;
    EXPECT_FALSE(decode(build(info)).empty());
}

TEST(BmpDecode, IndexesPastTheGivenPaletteAreBlack) {
    Info info;
    info.bitCount = 8;
    info.colorsUsed = 1;
    info.palette = {0x112233};
    info.pixels = {0, 7, 0, 255};
    EXPECT_EQ(decode(build(info)),
              (std::vector<uint8_t>{0x33, 0x22, 0x11, 0, 0, 0, 0x33, 0x22, 0x11, 0, 0, 0}));
}

TEST(BmpDecode, BitFieldsWidenByRepeatingTheirBits) {
    Info info;
    info.bitCount = 16;
    info.compression = 3;
    info.masks = {0xF800, 0x07E0, 0x001F}; // 5-6-5
    // Full red; green 0b100001 (33); blue 0b00001 (1); and a 1-bit red field set alone below.
    info.pixels = {0x00, 0xF8, 0x20, 0x04, 0x01, 0x00, 0xFF, 0xFF};
    EXPECT_EQ(decode(build(info)),
              (std::vector<uint8_t>{0, 0, 255, 0, 0x86, 0, 0x08, 0, 0, 255, 255, 255}));

    info.masks = {0x8000, 0x0000, 0x7FFF}; // a 1-bit field, an empty one and a 15-bit one
    info.pixels = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x40, 0x00, 0x00};
    EXPECT_EQ(decode(build(info)),
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 0, 128, 0, 0, 0, 0, 0}));
}

TEST(BmpDecode, RunLengthRunsStopAtTheEndOfTheirLine) {
    Info info;
    info.width = 4;
    info.height = 2;
    info.bitCount = 8;
    info.compression = 1;
    info.palette = {0x000000, 0x0000FF, 0x00FF00};
    // A run of six on a four-pixel line, then a line end: the next line is not touched by it.
    info.pixels = {6, 1, 0, 0, 1, 2, 0, 1};
    const auto pixels = decode(build(info));
    ASSERT_EQ(pixels.size(), 24u);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(pixels[x * 3], 255) << x;
    EXPECT_EQ(pixels[12 + 1], 255);
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(pixels[12 + x * 3 + 1], 0) << x;
}

TEST(BmpDecode, RefusesRunLengthStreamsThatEndEarlyOrRunPastTheirData) {
    Info info;
    info.bitCount = 8;
    info.compression = 1;
    info.palette = {0x000000, 0x0000FF};
    const std::vector<std::vector<uint8_t>> broken = {
        {4, 1},       // no end of bitmap before the data ends
        {0, 4, 1, 1}, // a literal run of four with two bytes
        {0, 2, 1},    // a jump without its second byte
        {4, 1, 0},    // half a command
    };
    for (const auto& stream : broken) {
        info.pixels = stream;
        EXPECT_TRUE(decode(build(info)).empty()) << stream.size();
    }
    info.pixels = {4, 1, 0, 1};
    info.imageSize = 40; // claims more stream than the file holds
    EXPECT_TRUE(decode(build(info)).empty());
    info.imageSize = 4;
    EXPECT_FALSE(decode(build(info)).empty());
}

TEST(BmpDecode, RefusesTopDownRunLength) {
    Info info;
    info.height = -1;
    info.bitCount = 8;
    info.compression = 1;
    info.palette = {0};
    info.pixels = {4, 0, 0, 1};
    EXPECT_TRUE(decode(build(info)).empty());
    info.height = 1;
    EXPECT_FALSE(decode(build(info)).empty());
}

TEST(BmpDecode, RefusesAPixelBufferTooSmall) {
    const auto file = build(small24());
    std::vector<uint8_t> pixels(4 * 2 * 3 - 1);
    EXPECT_EQ(decodeBmp(file.data(), file.size(), pixels.data(), pixels.size()), 0);
}

} // namespace

// The generated artwork as the game will load it: format, checksums and where each cell lies.
#include <gtest/gtest.h>

#include <string>

#include "asset_files.h"
#include "support/case_name.h"

namespace {

using assettest::Bitmap;

Bitmap load(const std::string& name) {
    return assettest::readBitmap(std::string(VORBLET_GAME_DIR) + "/BMP/" + name + ".bmp");
}

// Our own checksum, written from the rule rather than shared with the maker.
uint32_t checksum(const Bitmap& bmp, uint32_t multiplier) {
    uint32_t sum = 0;
    size_t covered = static_cast<size_t>(bmp.width) * bmp.height;
    for (size_t i = 0; i < covered; ++i)
        sum = sum * multiplier + bmp.pixels[i];
    return sum;
}

int inkIn(const Bitmap& bmp, int left, int top, int width, int height) {
    int ink = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            ink += bmp.isWhite(x, y) ? 0 : 1;
    return ink;
}

bool sameArea(const Bitmap& a, int aLeft, int aTop, const Bitmap& b, int bLeft, int bTop, int width,
              int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!(a.at(aLeft + x, aTop + y) == b.at(bLeft + x, bTop + y))) return false;
    return true;
}

struct Expected {
    const char* name;
    uint32_t multiplier, checksum;
    int minWidth, minHeight;
};

void PrintTo(const Expected& e, std::ostream* out) {
    *out << e.name;
}

class EveryBitmap : public testing::TestWithParam<Expected> {};

TEST_P(EveryBitmap, IsA24BitBottomUpFileThatHoldsItsCellsAndMatchesItsChecksum) {
    const Expected& e = GetParam();
    Bitmap bmp = load(e.name);
    ASSERT_EQ(bmp.error, "") << e.name;
    EXPECT_GE(bmp.width, e.minWidth);
    EXPECT_GE(bmp.height, e.minHeight);
    EXPECT_EQ(checksum(bmp, e.multiplier), e.checksum) << e.name;
}

INSTANTIATE_TEST_SUITE_P(Artwork, EveryBitmap,
                         testing::Values(Expected{"128", 3, 0x30CDD974, 26 * 16, 64},
                                         Expected{"129", 3, 0xB3FE902F, 512, 256},
                                         Expected{"130", 3, 0x771AF63D, 256, 128},
                                         Expected{"131", 3, 0x4A23272F, 64, 64},
                                         Expected{"132", 3, 0x4ED4F458, 160, 192},
                                         Expected{"QUORINFACE", 99, 0xF1C998AA, 512, 200},
                                         Expected{"QUORINLOGO", 99, 0x59D3E647, 480, 356}),
                         CaseName());

TEST(FontSheet, EveryGlyphIsInkedInsideItsOwnCell) {
    Bitmap font = load("128");
    ASSERT_EQ(font.error, "");
    for (int style = 0; style < 2; ++style) {
        auto check = [&](int left, int top, char c) {
            EXPECT_GT(inkIn(font, left, top, 16, 16), 20) << c << " style " << style;
            // A clear rim keeps a glyph from touching its neighbours when text is drawn.
            EXPECT_EQ(inkIn(font, left, top, 16, 1) + inkIn(font, left, top + 15, 16, 1) +
                          inkIn(font, left, top, 1, 16) + inkIn(font, left + 15, top, 1, 16),
                      0)
                << c << " style " << style;
        };
        for (char c = 'A'; c <= 'Z'; ++c)
            check((c - 'A') * 16, style * 16, c);
        for (char c = '0'; c <= '@'; ++c)
            check((c - '0') * 16, style * 16 + 32, c);
    }
}

TEST(FontSheet, TheTwoStylesDifferAndEachIsItsOwn) {
    Bitmap font = load("128");
    ASSERT_EQ(font.error, "");
    EXPECT_FALSE(sameArea(font, 0, 0, font, 0, 16, 416, 16));
    EXPECT_FALSE(sameArea(font, 0, 32, font, 0, 48, 160, 16));
}

TEST(TitleSheet, TitleAndGameOverBandSitInTheirRectangles) {
    Bitmap title = load("129");
    ASSERT_EQ(title.error, "");
    EXPECT_GT(inkIn(title, 0, 0, 512, 128), 512 * 128 / 5);
    EXPECT_GT(inkIn(title, 8, 128, 480, 128), 480 * 128 / 5);
    // The band is 480 wide from left 8: nothing beside it.
    EXPECT_EQ(inkIn(title, 0, 128, 8, 128), 0);
    EXPECT_EQ(inkIn(title, 488, 128, 24, 128), 0);
}

TEST(BackdropSheet, TilesAreOpaqueAndTheCornerTileIsDistinct) {
    Bitmap backdrop = load("130");
    ASSERT_EQ(backdrop.error, "");
    EXPECT_EQ(inkIn(backdrop, 0, 0, 256, 128), 256 * 128);
    EXPECT_FALSE(sameArea(backdrop, 0, 0, backdrop, 128, 0, 128, 76));
    // Only the corner tile's top 76 lines show in the window: it differs up there.
    EXPECT_FALSE(sameArea(backdrop, 0, 0, backdrop, 128, 0, 128, 128));
}

TEST(SpriteSheet, WallsBallsAndPaddleSitInTheirRectangles) {
    Bitmap sprites = load("131");
    ASSERT_EQ(sprites.error, "");
    const int walls[8][2] = {{0, 0},   {0, 16}, {0, 32},  {16, 0},
                             {16, 32}, {32, 0}, {32, 16}, {32, 32}}; // (top, left)
    for (auto& w : walls)
        EXPECT_EQ(inkIn(sprites, w[1], w[0], 16, 16), 256) << w[0] << "," << w[1];
    // The normal ball fills its 8 x 8 box at (16, 16), round, and nothing else of the frame's hole.
    EXPECT_FALSE(sprites.isWhite(19, 19));
    EXPECT_TRUE(sprites.isWhite(16, 16));
    EXPECT_TRUE(sprites.isWhite(23, 23));
    EXPECT_EQ(inkIn(sprites, 16, 16, 16, 16), inkIn(sprites, 16, 16, 8, 8));
    EXPECT_GT(inkIn(sprites, 16, 16, 8, 8), 40);
    // The big ball, 16 x 16 at (0, 48).
    EXPECT_FALSE(sprites.isWhite(56, 8));
    EXPECT_TRUE(sprites.isWhite(48, 0));
    EXPECT_GT(inkIn(sprites, 48, 0, 16, 16), 180);
    // The paddle, 64 x 16 at (48, 0): solid across its middle line, rounded at its corners.
    EXPECT_EQ(inkIn(sprites, 0, 56, 64, 1), 64);
    EXPECT_TRUE(sprites.isWhite(0, 48));
    EXPECT_TRUE(sprites.isWhite(63, 63));
}

TEST(BlockSheet, DrawnOverFramesCoverTheirWholeCell) {
    Bitmap blocks = load("132");
    ASSERT_EQ(blocks.error, "");
    for (int v = 2; v <= 6; ++v)
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(inkIn(blocks, 32 * k, 16 * v, 32, 16), 512)
                << "value " << v << " frame " << k;
            EXPECT_EQ(inkIn(blocks, 32 * k, 16 * v + 80, 32, 16), 512)
                << "flash " << v << " frame " << k;
        }
}

TEST(BlockSheet, FlashingAndGrowingFramesChangeTheSteadyImage) {
    Bitmap blocks = load("132");
    ASSERT_EQ(blocks.error, "");
    for (int v = 2; v <= 6; ++v)
        for (int k = 1; k < 5; ++k) {
            EXPECT_FALSE(sameArea(blocks, 0, 16 * v, blocks, 32 * k, 16 * v, 32, 16));
            EXPECT_FALSE(sameArea(blocks, 0, 16 * v, blocks, 32 * k, 16 * v + 80, 32, 16));
        }
}

TEST(BlockSheet, VanishingShrinksToNothingAndAppearingGrows) {
    Bitmap blocks = load("132");
    ASSERT_EQ(blocks.error, "");
    // Vanishing plays frame 4 first and leaves frame 0 on the cleared cell.
    EXPECT_EQ(inkIn(blocks, 0, 0, 32, 16), 0);
    for (int k = 1; k < 5; ++k)
        EXPECT_GT(inkIn(blocks, 32 * k, 0, 32, 16), inkIn(blocks, 32 * (k - 1), 0, 32, 16));
    // Appearing plays frames 1 to 4, then the steady value-2 block.
    for (int k = 2; k < 5; ++k)
        EXPECT_GT(inkIn(blocks, 32 * k, 16, 32, 16), inkIn(blocks, 32 * (k - 1), 16, 32, 16));
    EXPECT_LT(inkIn(blocks, 128, 16, 32, 16), 512);
}

TEST(FaceSheet, TheFourFramesAllDiffer) {
    Bitmap face = load("QUORINFACE");
    ASSERT_EQ(face.error, "");
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_FALSE(sameArea(face, 128 * a, 0, face, 128 * b, 0, 128, 200)) << a << b;
}

TEST(LogoSheet, TheFinishedLogoKeepsThePlainOnesShape) {
    Bitmap logo = load("QUORINLOGO");
    ASSERT_EQ(logo.error, "");
    EXPECT_GT(inkIn(logo, 0, 0, 480, 178), 5000);
    EXPECT_FALSE(sameArea(logo, 0, 0, logo, 0, 178, 480, 178));
    // Blending skips white: a coloured pixel of the second image over white would tint the
    // canvas around the letters.
    int outside = 0;
    for (int y = 0; y < 178; ++y)
        for (int x = 0; x < 480; ++x)
            if (!logo.isWhite(x, 178 + y) && logo.isWhite(x, y)) ++outside;
    EXPECT_EQ(outside, 0);
}

} // namespace

#include "gfx/blit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gfx/surface_util.h"

namespace {

constexpr Pixel kWhite{255, 255, 255};
constexpr Pixel kGrey{50, 60, 70};

class BlitTest : public testing::Test {
  protected:
    void SetUp() override {
        makeSurface(source, 32, 32);
        makeSurface(target, 32, 32);
        paintCoordinates(source);
        fillSurface(target, kGrey.red, kGrey.green, kGrey.blue);
    }
    std::vector<uint8_t> targetBytes() const {
        return {target.pixels, target.pixels + 32 * 32 * 3};
    }
    QUORINImage source, target;
};

TEST_F(BlitTest, UnknownModesAndEmptyOrFarRectanglesDrawNothing) {
    const auto before = targetBytes();
    const struct {
        int32_t mode;
        BlitRect from, to;
    } cases[] = {
        {3, {0, 0, 8, 8}, {0, 0, 8, 8}},
        {-1, {0, 0, 8, 8}, {0, 0, 8, 8}},
        {copy, {0, 0, 8, 0}, {0, 0, 8, 0}},
        {keyed, {0, 0, 0, 8}, {0, 0, 0, 8}},
        {keyed, {0, 0, 8, 8}, {0, 0, 8, 0}},
        {blend, {0, 0, 8, 8}, {0, 0, 0, 8}},
        {keyed, {0, 0, 8, 8}, {32, 0, 8, 8}},
        {blend, {0, 0, 8, 8}, {0, -8, 8, 8}},
        {copy, {-8, 0, 8, 8}, {0, 0, 8, 8}},
        {keyed, {0, 32, 8, 8}, {0, 0, 16, 16}},
        {copy, {-32768, -32768, 8, 8}, {0, 0, 8, 8}},
    };
    for (const auto& c : cases) {
        blit(source, c.mode, c.from, target, c.to, 0.5f);
        EXPECT_EQ(targetBytes(), before) << "mode " << c.mode << " to " << c.to.top << ","
                                         << c.to.left << " " << c.to.height << "x" << c.to.width;
    }
}

TEST_F(BlitTest, ClippedColumnsKeepTheirPlaces) {
    for (int32_t mode : {keyed, blend, copy}) {
        fillSurface(target, kGrey.red, kGrey.green, kGrey.blue);
        blit(source, mode, {0, 0, 16, 16}, target, {0, -4, 16, 16}, 1.0f);
        for (int32_t x = 0; x < 16; ++x) {
            const Pixel want = x < 12 ? Pixel{static_cast<uint8_t>(x + 4), 3, 7} : kGrey;
            EXPECT_EQ(pixelAt(target, x, 3), want) << "mode " << mode << " column " << x;
        }
    }
}

TEST_F(BlitTest, TheTargetsLastLineIsWritten) {
    for (int32_t mode : {keyed, blend, copy}) {
        fillSurface(target, kGrey.red, kGrey.green, kGrey.blue);
        blit(source, mode, {0, 0, 4, 4}, target, {29, 28, 4, 4}, 1.0f);
        EXPECT_EQ(pixelAt(target, 28, 31), (Pixel{0, 2, 7})) << mode;
        EXPECT_EQ(pixelAt(target, 31, 31), (Pixel{3, 2, 7})) << mode;
    }
}

TEST_F(BlitTest, PureWhiteIsTheOnlyKey) {
    setPixel(source, 0, 0, kWhite);
    setPixel(source, 1, 0, {255, 255, 254});
    setPixel(source, 2, 0, {254, 255, 255});
    for (int32_t mode : {keyed, blend}) {
        fillSurface(target, kGrey.red, kGrey.green, kGrey.blue);
        blit(source, mode, {0, 0, 1, 3}, target, {5, 5, 1, 3}, 1.0f);
        EXPECT_EQ(pixelAt(target, 5, 5), kGrey) << mode;
        EXPECT_EQ(pixelAt(target, 6, 5), (Pixel{255, 255, 254})) << mode;
        EXPECT_EQ(pixelAt(target, 7, 5), (Pixel{254, 255, 255})) << mode;
    }
    blit(source, copy, {0, 0, 1, 3}, target, {5, 5, 1, 3}, 1.0f);
    EXPECT_EQ(pixelAt(target, 5, 5), kWhite);
}

TEST_F(BlitTest, BlendTruncatesEachTermOnItsOwn) {
    const struct {
        float weight;
        Pixel from, onto, result;
    } cases[] = {
        {0.5f, {255, 1, 100}, {0, 1, 200}, {127, 0, 150}},
        {1.0f, {255, 1, 100}, {0, 1, 200}, {255, 1, 100}},
        {0.0f, {254, 1, 100}, {0, 1, 200}, {0, 1, 200}},
        {0.1f, {255, 255, 10}, {0, 255, 0}, {25, 254, 0}}, // t = 51
        {0.05f, {255, 0, 0}, {0, 0, 0}, {12, 0, 0}},       // t = 25
    };
    for (const auto& c : cases) {
        setPixel(source, 0, 0, c.from);
        setPixel(target, 0, 0, c.onto);
        blit(source, blend, {0, 0, 1, 1}, target, {0, 0, 1, 1}, c.weight);
        EXPECT_EQ(pixelAt(target, 0, 0), c.result) << c.weight;
    }
}

TEST_F(BlitTest, BlendOfDifferentSizesIsAPlainStretch) {
    setPixel(source, 0, 0, kWhite);
    blit(source, blend, {0, 0, 2, 2}, target, {0, 0, 4, 4}, 0.25f);
    EXPECT_EQ(pixelAt(target, 0, 0), kWhite);
    EXPECT_EQ(pixelAt(target, 3, 0), (Pixel{1, 0, 7}));
}

TEST_F(BlitTest, KeyedEnlargementRoundsColumnsDownAndLinesUp) {
    const int32_t columns[24] = {0, 0, 1, 1, 2,  3,  3,  4,  5,  5,  6,  7,
                                 7, 8, 9, 9, 10, 11, 11, 12, 13, 13, 14, 15};
    const int32_t lines[24] = {0, 1, 2,  2,  3,  4,  4,  5,  6,  6,  7,  8,
                               8, 9, 10, 10, 11, 12, 12, 13, 14, 14, 15, 16};
    blit(source, keyed, {2, 3, 16, 16}, target, {1, 1, 24, 24}, 1.0f);
    for (int32_t i = 0; i < 24; ++i)
        for (int32_t j = 0; j < 24; ++j)
            ASSERT_EQ(pixelAt(target, 1 + j, 1 + i), (Pixel{static_cast<uint8_t>(3 + columns[j]),
                                                            static_cast<uint8_t>(2 + lines[i]), 7}))
                << "line " << i << " column " << j;
}

TEST_F(BlitTest, KeyedEnlargementDrawsTheLineBelowOnlyWhenItIsInside) {
    // The rectangle's last line is the source's last, so the line below it is outside.
    blit(source, keyed, {16, 0, 16, 16}, target, {0, 0, 24, 24}, 1.0f);
    EXPECT_EQ(pixelAt(target, 0, 22), (Pixel{0, 31, 7}));
    EXPECT_EQ(pixelAt(target, 0, 23), kGrey);
}

TEST_F(BlitTest, KeyedReductionSamplesEveryOtherPixel) {
    blit(source, keyed, {0, 0, 16, 16}, target, {0, 0, 8, 8}, 1.0f);
    for (int32_t i = 0; i < 8; ++i)
        for (int32_t j = 0; j < 8; ++j)
            EXPECT_EQ(pixelAt(target, j, i),
                      (Pixel{static_cast<uint8_t>(2 * j), static_cast<uint8_t>(2 * i), 7}));
}

TEST_F(BlitTest, CopyWithinOneSurfaceMovesTheBlockWhole) {
    QUORINImage expected;
    makeSurface(expected, 32, 32);
    paintCoordinates(expected);
    const std::vector<uint8_t> original(source.pixels, source.pixels + 32 * 32 * 3);
    for (const BlitRect to : {BlitRect{3, 2, 10, 12}, BlitRect{-3, -2, 10, 12}}) {
        std::memcpy(source.pixels, original.data(), original.size());
        std::memcpy(expected.pixels, original.data(), original.size());
        blit(source, copy, {0, 0, 10, 12}, source, to, 1.0f);
        for (int32_t i = 0; i < 10; ++i)
            for (int32_t j = 0; j < 12; ++j)
                if (to.top + i >= 0 && to.left + j >= 0)
                    setPixel(expected, to.left + j, to.top + i,
                             {static_cast<uint8_t>(j), static_cast<uint8_t>(i), 7});
        EXPECT_EQ(0, std::memcmp(source.pixels, expected.pixels, original.size())) << to.top;
    }
}

TEST_F(BlitTest, SurfacesNotYetMadeAreLeftAlone) {
    QUORINImage empty;
    const auto before = targetBytes();
    blit(empty, copy, {0, 0, 4, 4}, target, {0, 0, 4, 4}, 1.0f);
    blit(target, keyed, {0, 0, 4, 4}, empty, {0, 0, 4, 4}, 1.0f);
    EXPECT_EQ(targetBytes(), before);
}

} // namespace

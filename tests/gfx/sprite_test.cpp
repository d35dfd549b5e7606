#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include "gfx/blit.h"
#include "gfx/surface_util.h"

namespace {

constexpr Pixel kWhite{255, 255, 255};
constexpr Pixel kBackground{1, 2, 3};
constexpr Pixel kScribble{77, 77, 77};

bool sameRect(const BlitRect& a, const BlitRect& b) {
    return a.top == b.top && a.left == b.left && a.height == b.height && a.width == b.width;
}

class SpriteTest : public testing::Test {
  protected:
    void SetUp() override {
        makeSurface(sheet, 64, 32);
        makeSurface(clean, 40, 40);
        makeSurface(frame, 40, 40);
        makeSurface(other, 40, 40);
        paintCoordinates(sheet);
        setPixel(sheet, 48, 0, kWhite);
        fillSurface(clean, kBackground.red, kBackground.green, kBackground.blue);
        fillSurface(frame, kBackground.red, kBackground.green, kBackground.blue);
        fillSurface(other, kBackground.red, kBackground.green, kBackground.blue);
    }
    QUORINImage sheet, clean, frame, other;
};

TEST_F(SpriteTest, ResetGivesTheEmptyState) {
    QUORINSprite sprite;
    sprite.mode = blend;
    sprite.weight = 0.3f;
    sprite.source = &sheet;
    sprite.restoreSource = &clean;
    sprite.destRect = {1, 2, 3, 4};
    resetSprite(sprite);
    EXPECT_EQ(sprite.target, nullptr);
    EXPECT_EQ(sprite.restoreSource, nullptr);
    EXPECT_EQ(sprite.source, nullptr);
    EXPECT_TRUE(sameRect(sprite.destRect, {}));
    EXPECT_TRUE(sameRect(sprite.srcRect, {}));
    EXPECT_EQ(sprite.mode, copy);
    EXPECT_EQ(sprite.weight, 1.0f);
}

TEST_F(SpriteTest, InitWithoutARectangleTakesTheWholeSource) {
    QUORINImage layer;
    makeSurface(layer, 640, 460);
    QUORINSprite sprite;
    resetSprite(sprite);
    sprite.restoreSource = &clean;
    EXPECT_EQ(initSprite(sprite, copy, layer, nullptr, frame, 1.0f), 1);
    EXPECT_TRUE(sameRect(sprite.srcRect, {0, 0, 460, 640}));
    EXPECT_TRUE(sameRect(sprite.destRect, {0, 0, 460, 640}));
    EXPECT_EQ(sprite.restoreSource, &clean);
    EXPECT_EQ(sprite.source, &layer);
    EXPECT_EQ(sprite.target, &frame);
}

TEST_F(SpriteTest, AnUnmovedSpriteLandsWhereItsImageLiesInTheSheet) {
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 24, 16, 16};
    initSprite(sprite, keyed, sheet, &cell, frame, 1.0f);
    EXPECT_TRUE(sameRect(sprite.destRect, cell));
    drawSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 24, 0), (Pixel{24, 0, 7}));
    EXPECT_EQ(pixelAt(frame, 39, 15), (Pixel{39, 15, 7}));
}

TEST_F(SpriteTest, OverridesApplyToOneCallOnly) {
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 0, 4, 4};
    initSprite(sprite, copy, sheet, &cell, frame, 1.0f);
    const BlitRect elsewhere{10, 10, 4, 4};
    drawSprite(sprite, &other, &elsewhere);
    EXPECT_EQ(pixelAt(other, 10, 10), (Pixel{0, 0, 7}));
    EXPECT_EQ(pixelAt(frame, 0, 0), kBackground);
    EXPECT_EQ(sprite.target, &frame);
    EXPECT_TRUE(sameRect(sprite.destRect, cell));
    drawSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 0, 0), (Pixel{0, 0, 7}));
}

TEST_F(SpriteTest, RestoreCopiesTheBackgroundBackWhiteIncluded) {
    setPixel(clean, 6, 5, kWhite);
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 48, 4, 4};
    initSprite(sprite, keyed, sheet, &cell, frame, 1.0f);
    sprite.restoreSource = &clean;
    sprite.destRect.top = 5;
    sprite.destRect.left = 5;
    drawSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 5, 5), kBackground); // the sheet's white pixel is keyed out
    EXPECT_EQ(pixelAt(frame, 6, 5), (Pixel{49, 0, 7}));
    restoreSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 6, 5), kWhite);
    EXPECT_EQ(pixelAt(frame, 8, 8), kBackground);
}

TEST_F(SpriteTest, RestoreErasesWhereTheSpriteIsNow) {
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 0, 4, 4};
    initSprite(sprite, copy, sheet, &cell, frame, 1.0f);
    sprite.restoreSource = &clean;
    drawSprite(sprite);
    sprite.destRect.left = 20;
    drawSprite(sprite);
    restoreSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 0, 0), (Pixel{0, 0, 7}));
    EXPECT_EQ(pixelAt(frame, 20, 0), kBackground);
}

TEST_F(SpriteTest, RestoreTakesOverridesForSourceAndTarget) {
    setPixel(other, 2, 2, kScribble);
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 0, 4, 4};
    initSprite(sprite, copy, sheet, &cell, frame, 1.0f);
    restoreSprite(sprite, &other, &clean);
    EXPECT_EQ(pixelAt(clean, 2, 2), kScribble);
    EXPECT_EQ(pixelAt(frame, 2, 2), kBackground);
}

TEST_F(SpriteTest, ACopySpriteOfAnotherSizeIsStretched) {
    QUORINSprite sprite;
    resetSprite(sprite);
    const BlitRect cell{0, 0, 2, 2};
    initSprite(sprite, copy, sheet, &cell, frame, 1.0f);
    sprite.destRect.height = 4;
    sprite.destRect.width = 4;
    drawSprite(sprite);
    EXPECT_EQ(pixelAt(frame, 0, 0), (Pixel{0, 0, 7}));
    EXPECT_EQ(pixelAt(frame, 3, 0), (Pixel{1, 0, 7}));
    EXPECT_EQ(pixelAt(frame, 2, 1), (Pixel{1, 1, 7}));
}

} // namespace

#include "gfx/sprite.h"

#include <gtest/gtest.h>

#include <vector>

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

// A frame's list: runs of one keyed image (some places overlapping, one partly outside), a
// stretched one, one of another image, a copy, a blend and one without a target, in an order where
// the later sprites cover the earlier. The list draws what drawSprite one by one draws.
TEST_F(SpriteTest, AListDrawsWhatEachSpriteDrawsInTurn) {
    setPixel(sheet, 2, 1, kWhite);
    const BlitRect ball{0, 0, 8, 8}, second{8, 16, 8, 12};
    std::vector<QUORINSprite> sprites(12);
    const BlitRect places[] = {{3, 4, 8, 8},   {5, 7, 8, 8}, {-3, 36, 8, 8}, {20, 20, 8, 8},
                               {21, 22, 8, 8}, {0, 0, 8, 8}, {30, 30, 8, 8}, {10, 10, 8, 8}};
    for (size_t i = 0; i < sprites.size(); ++i) {
        QUORINSprite& sprite = sprites[i];
        resetSprite(sprite);
        initSprite(sprite, keyed, sheet, &ball, frame, 1.0f);
        sprite.destRect = places[i % 8];
    }
    sprites[3].destRect.height = sprites[3].destRect.width = 12; // stretched
    initSprite(sprites[5], keyed, sheet, &second, frame, 1.0f);
    sprites[5].destRect = {6, 2, 8, 12};
    sprites[8].mode = copy;
    sprites[9].mode = blend;
    sprites[9].weight = 0.5f;
    sprites[10].target = nullptr;
    std::vector<const QUORINSprite*> list;
    for (const QUORINSprite& sprite : sprites)
        list.push_back(&sprite);

    drawSpriteList(list.data(), static_cast<int32_t>(list.size()));
    for (QUORINSprite sprite : sprites) {
        if (sprite.target == &frame) sprite.target = &other;
        drawSprite(sprite);
    }
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 0; x < 40; ++x)
            ASSERT_EQ(pixelAt(frame, x, y), pixelAt(other, x, y)) << x << "," << y;
}

} // namespace

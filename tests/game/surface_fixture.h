#pragma once
// Surfaces for the drawing tests: the layers, and sheets painted so that every frame cell has its
// own colour and a white (transparent) top-left pixel, made afresh for each test.
#include "effect_sounds.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"
#include "support/headless_probe.h"
#include "support/pixels.h"
#include "support/program_reset.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

constexpr Pixel bgColour{10, 200, 10};
constexpr Pixel oldFieldColour{20, 20, 220};
constexpr Pixel oldBackColour{30, 30, 30};

// The colour of the blockSheet frame at (top, left), and of the spriteSheet tile at (top, left).
constexpr Pixel blockFrameColour(int32_t top, int32_t left) {
    return Pixel{static_cast<uint8_t>(1 + top / 16), static_cast<uint8_t>(1 + left / 32), 77};
}
constexpr Pixel tileColour(int32_t top, int32_t left) {
    return Pixel{static_cast<uint8_t>(100 + top / 16), static_cast<uint8_t>(100 + left / 16), 33};
}

// A fresh headless backend with the effect clips open.
class EffectTest : public testing::Test {
  protected:
    void SetUp() override {
        closeSound();
        platform::probe::resetHeadless();
        effects::openEffects();
    }
    void TearDown() override {
        effects::closeEffects();
        closeSound();
    }
};

class DrawingTest : public EffectTest {
  protected:
    void SetUp() override {
        EffectTest::SetUp();
        renewSurfaces();
        ASSERT_TRUE(bindTestWindow());
        for (auto [surface, width, height] :
             {std::tuple{&backBuffer, 640, 460}, std::tuple{&bgLayer, 640, 460},
              std::tuple{&fieldLayer, 480, 460}, std::tuple{&spriteSheet, 128, 64},
              std::tuple{&blockSheet, 160, 192}}) {
            ASSERT_NE(createSurface(*surface, width, height), nullptr);
        }
        for (int32_t top = 0; top < 192; top += 16) {
            for (int32_t left = 0; left < 160; left += 32) {
                paintRect(blockSheet, top, left, 16, 32, blockFrameColour(top, left));
                paintRect(blockSheet, top, left, 1, 1, white);
            }
        }
        for (int32_t top = 0; top < 64; top += 16) {
            for (int32_t left = 0; left < 128; left += 16) {
                paintRect(spriteSheet, top, left, 16, 16, tileColour(top, left));
                paintRect(spriteSheet, top, left, 1, 1, white);
            }
        }
        setupSprites();
        paintRect(bgLayer, 0, 0, 460, 640, bgColour);
        paintRect(fieldLayer, 0, 0, 460, 480, oldFieldColour);
        paintRect(backBuffer, 0, 0, 460, 640, oldBackColour);
    }

    void TearDown() override {
        renewSurfaces();
        EffectTest::TearDown();
    }
};

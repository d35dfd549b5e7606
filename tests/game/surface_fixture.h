#pragma once
// Surfaces for the drawing tests: the layers, and sheets painted so that every frame cell has its
// own colour and a white (transparent) top-left pixel. The sheets' previous contents come back
// after each test, since other tests in the same process may use the real artwork.
#include "effect_sounds.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"
#include "support/headless_probe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

struct Pixel {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    bool operator==(const Pixel&) const = default;
};

inline void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "(b" << int(p.blue) << " g" << int(p.green) << " r" << int(p.red) << ")";
}

inline uint8_t* pixelAddress(QUORINImage& surface, int32_t x, int32_t y) {
    const int32_t width = surface.bounds.width;
    const int32_t height = surface.bounds.height;
    return surface.pixels + ((height - 1 - y) * width + x) * 3;
}

inline Pixel pixelAt(QUORINImage& surface, int32_t x, int32_t y) {
    const uint8_t* p = pixelAddress(surface, x, y);
    return Pixel{p[0], p[1], p[2]};
}

inline void paintRect(QUORINImage& surface, int32_t top, int32_t left, int32_t height,
                      int32_t width, Pixel colour) {
    for (int32_t y = top; y < top + height; ++y) {
        for (int32_t x = left; x < left + width; ++x) {
            uint8_t* p = pixelAddress(surface, x, y);
            p[0] = colour.blue;
            p[1] = colour.green;
            p[2] = colour.red;
        }
    }
}

constexpr Pixel white{255, 255, 255};
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
        platform::probe::resetHeadless();
        effects::openEffects();
    }
    void TearDown() override { effects::closeEffects(); }
};

class DrawingTest : public EffectTest {
  protected:
    void SetUp() override {
        EffectTest::SetUp();
        // Off-screen surfaces need a bound screen; these tests have no window.
        screenBound = 1;
        for (auto [surface, width, height] :
             {std::tuple{&backBuffer, 640, 460}, std::tuple{&bgLayer, 640, 460},
              std::tuple{&fieldLayer, 480, 460}, std::tuple{&spriteSheet, 128, 64},
              std::tuple{&blockSheet, 160, 192}}) {
            if (surface->pixels == nullptr) {
                ASSERT_NE(createSurface(*surface, width, height), nullptr);
            }
            ASSERT_GE(surface->bounds.width, width);
            ASSERT_GE(surface->bounds.height, height);
            saved.emplace_back(
                surface,
                std::vector<uint8_t>(surface->pixels, surface->pixels + byteCount(*surface)));
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
        for (auto& [surface, bytes] : saved)
            std::memcpy(surface->pixels, bytes.data(), bytes.size());
        EffectTest::TearDown();
    }

    static size_t byteCount(const QUORINImage& surface) {
        return static_cast<size_t>(surface.bounds.width) * surface.bounds.height * 3;
    }

  private:
    std::vector<std::pair<QUORINImage*, std::vector<uint8_t>>> saved;
};

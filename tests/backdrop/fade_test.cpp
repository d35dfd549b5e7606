#include "backdrop/fade.h"

#include "input/frame_pacer.h"
#include "screens/screen_fixture.h"

using namespace screentest;
namespace probe = platform::probe;

namespace {

constexpr Pixel oldColour{40, 60, 80};
constexpr Pixel newColour{200, 180, 160};

// One picture during each of the 20 steps: each step shows its blend, then waits 33 ms.
std::vector<uint32_t> duringEachStep() {
    std::vector<uint32_t> times;
    for (uint32_t step = 0; step < 20; ++step)
        times.push_back(step * 33 + 10);
    return times;
}

bool between(uint8_t value, uint8_t a, uint8_t b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

class FadeFromOldPicture : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (HasFatalFailure()) return;
        paintRect(backBuffer, 0, 0, 460, 640, oldColour);
        showInWindow(backBuffer);
        presentsBefore = probe::presentCount();
        startFrameTimer();
    }
    uint64_t presentsBefore = 0;
};

TEST_F(FadeFromOldPicture, TwentyRisingStepsFromTheOldPictureThenTheLayerAtFullStrength) {
    paintRect(bgLayer, 0, 0, 460, 640, newColour);
    paintRect(bgLayer, 100, 100, 20, 20, white);
    Shots shots(duringEachStep());

    fadeInLayer(6);

    EXPECT_EQ(platform::tickCount(), 20u * 33);
    EXPECT_EQ(probe::presentCount() - presentsBefore, 21u);
    const Picture first = shots.picture(0);
    ASSERT_FALSE(first.empty());
    for (int32_t y = 0; y < 460; y += 3)
        for (int32_t x = 0; x < 640; x += 3)
            ASSERT_EQ(pictureAt(first, x, y), oldColour) << "weight 0 shows the old picture";
    uint8_t previousRed = oldColour.red;
    for (size_t step = 1; step < 20; ++step) {
        const Picture picture = shots.picture(step);
        ASSERT_FALSE(picture.empty());
        const Pixel p = pictureAt(picture, 300, 300);
        EXPECT_GT(p.red, previousRed) << "step " << step;
        EXPECT_LT(p.red, newColour.red) << "step " << step;
        previousRed = p.red;
        // White is skipped by the blend: it comes in only with the full-strength copy.
        EXPECT_EQ(pictureAt(picture, 110, 110), oldColour) << "step " << step;
    }
    for (int32_t y = 0; y < 460; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            ASSERT_EQ(windowPixel(x, y), pixelAt(bgLayer, x, y));
            ASSERT_EQ(pixelAt(backBuffer, x, y), pixelAt(bgLayer, x, y));
            ASSERT_EQ(pixelAt(snapshot, x, y), oldColour);
        }
    }
    EXPECT_EQ(windowPixel(110, 110), white);
}

TEST_F(FadeFromOldPicture, TheRoundPictureIsThePanelOfBgLayerBesideTheFieldLayer) {
    constexpr Pixel hidden{10, 250, 10};
    constexpr Pixel panel{90, 30, 200};
    paintRect(bgLayer, 0, 0, 460, 480, hidden);
    paintRect(bgLayer, 0, 480, 460, 160, panel);
    paintRect(fieldLayer, 0, 0, 460, 480, newColour);
    Shots shots(duringEachStep());

    fadeInLayer(7);

    EXPECT_EQ(platform::tickCount(), 20u * 33);
    const Picture middle = shots.picture(10);
    ASSERT_FALSE(middle.empty());
    const Pixel field = pictureAt(middle, 200, 200);
    EXPECT_TRUE(between(field.blue, oldColour.blue, newColour.blue));
    EXPECT_TRUE(between(field.green, oldColour.green, newColour.green));
    EXPECT_TRUE(between(field.red, oldColour.red, newColour.red));
    for (int32_t y = 0; y < 460; y += 2) {
        for (int32_t x = 0; x < 640; x += 2)
            ASSERT_EQ(windowPixel(x, y), x < 480 ? newColour : panel) << x << "," << y;
    }
}

TEST_F(FadeFromOldPicture, AnIndexOutsideTheTableDrawsNothing) {
    for (int32_t index : {-1, 10, 1000}) {
        fadeInLayer(index);
        EXPECT_EQ(probe::presentCount(), presentsBefore) << index;
        EXPECT_EQ(platform::tickCount(), 0u) << index;
    }
}

} // namespace

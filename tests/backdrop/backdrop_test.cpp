#include "backdrop/backdrop.h"

#include "screens/screen_fixture.h"

using namespace screentest;

namespace {

using Backdrop = ScreenTest;

Pixel backdropAt(int32_t x, int32_t y) {
    if (x >= 512 && y >= 384) return pixelAt(backdropSheet, 128 + x - 512, y - 384);
    return pixelAt(backdropSheet, x % 128, y % 128);
}

TEST_F(Backdrop, TheBottomRightTileIsTheSecondTileAndEveryOtherTheFirst) {
    int32_t tilesDiffer = 0;
    for (int32_t y = 0; y < 128; ++y)
        for (int32_t x = 0; x < 128; ++x)
            tilesDiffer +=
                pixelAt(backdropSheet, x, y) == pixelAt(backdropSheet, 128 + x, y) ? 0 : 1;
    ASSERT_GT(tilesDiffer, 0);
    paintRect(bgLayer, 0, 0, 460, 640, Pixel{1, 2, 3});
    paintRect(fieldLayer, 0, 0, 460, 480, Pixel{4, 5, 6});

    tileBackdrop(bgLayer);

    for (int32_t y = 0; y < 460; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            ASSERT_EQ(pixelAt(bgLayer, x, y), backdropAt(x, y)) << x << "," << y;
            if (x < 480) {
                ASSERT_EQ(pixelAt(fieldLayer, x, y), backdropAt(x, y));
            }
        }
    }
}

TEST_F(Backdrop, TheFieldLayerTakesBgLayerWhicheverLayerWasTiled) {
    constexpr Pixel bgColour{10, 200, 10};
    paintRect(bgLayer, 0, 0, 460, 640, bgColour);
    paintRect(fieldLayer, 0, 0, 460, 480, Pixel{4, 5, 6});

    tileBackdrop(backBuffer);

    for (int32_t y = 0; y < 460; y += 7) {
        for (int32_t x = 0; x < 640; x += 5) {
            ASSERT_EQ(pixelAt(backBuffer, x, y), backdropAt(x, y));
            ASSERT_EQ(pixelAt(bgLayer, x, y), bgColour);
            if (x < 480) {
                ASSERT_EQ(pixelAt(fieldLayer, x, y), bgColour);
            }
        }
    }
}

} // namespace

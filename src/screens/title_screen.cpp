#include "screens/title_screen.h"

#include "backdrop/backdrop.h"
#include "backdrop/fade.h"
#include "game/paddle.h"
#include "gfx/blit.h"
#include "gfx/text.h"
#include "input/input.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"

namespace {

constexpr BlitRect kTitleArt{0, 0, 128, 512};
constexpr BlitRect kTitleArtPlace{128, 64, 128, 512};
// bgLayer's position in the surface table.

bool held(int virtualKey) {
    return platform::isKeyDown(virtualKey);
}

// The first matching row wins; with no modifier held the result stays as it was.
GameMode heldVariant(GameMode current) {
    if (held(platform::kKeyShift)) return BENCH;
    if (held(platform::kKeyTab) && held(platform::kKeyControl)) return ULTRA;
    if (held(platform::kKeyTab)) return SUPER;
    if (held(platform::kKeyControl)) return HYPER;
    return current;
}

void drawTitlePicture() {
    tileBackdrop(bgLayer);
    blit(titleSheet, keyed, kTitleArt, bgLayer, kTitleArtPlace, 1.0f);
    drawShadowedText("PRESS SPACE OR MOUSE\n", 159, 339, bgLayer);
    drawText("PRESENTED BY QUORIN\n", 32, 444, 0, bgLayer);
}

} // namespace

GameMode runTitleScreen() {
    GameMode result = NORMAL;
    int32_t done = 0;
    drawTitlePicture();
    fadeInLayer(kBgLayerIndex);
    drawSprite(clearFieldSprite, &screen);
    musicSlot.playIfIdle(clip131);
    while (done == 0 && quitRequested.load() == 0) {
        // Starts the loop tune once the fanfare has ended, and again each time it ends.
        musicSlot.playIfIdle(clip132);
        if ((readButtons(0) & BUTTON_ESCAPE) != 0) {
            result = QUIT;
            done = 1;
        }
        int mouse = 0;
        bool start = (readButtons(0) & BUTTON_FIRE) != 0;
        if (!start) {
            // 2 whenever the right button is down, so only the left button alone starts.
            mouse = readMouseButtons();
            start = (mouse & 1) != 0;
        }
        if (start) {
            done = 1;
            mouseControl = (mouse & 1) != 0 ? 1 : 0;
            result = heldVariant(result);
        }
        // Yields the processor between passes instead of polling flat out.
        if (done == 0) platform::sleepMs(1);
    }
    musicSlot.stop();
    return result;
}

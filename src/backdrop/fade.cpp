#include "backdrop/fade.h"

#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "input/frame_pacer.h"

namespace {

constexpr BlitRect wholeScreen{0, 0, 460, 640};
constexpr BlitRect playArea{0, 0, 460, 480};
constexpr BlitRect panel{0, 480, 460, 160};
// fieldLayer's position in the table: the round fades in from its two layers.
constexpr int32_t roundPicture = 7;

void composeOntoBackBuffer(int32_t index, int32_t mode, float weight) {
    if (index == roundPicture) {
        blit(bgLayer, mode, panel, backBuffer, panel, weight);
        blit(fieldLayer, mode, playArea, backBuffer, playArea, weight);
    } else {
        blit(surfaceTable[index], mode, wholeScreen, backBuffer, wholeScreen, weight);
    }
}

} // namespace

void fadeInLayer(int32_t index) {
    if (index < 0 || index >= kSurfaceTableSize) return;
    blit(screen, copy, wholeScreen, snapshot, wholeScreen, 1.0f);
    // The float sum of the steps passes 1.0 after the twentieth, so full strength is never
    // blended: blend skips white, and the copy below brings the white parts in too.
    for (float weight = 0.0f; weight <= 1.0f; weight += 0.05f) {
        blit(snapshot, copy, wholeScreen, backBuffer, wholeScreen, 1.0f);
        composeOntoBackBuffer(index, blend, weight);
        blit(backBuffer, copy, wholeScreen, screen, wholeScreen, 1.0f);
        waitFrames(1);
    }
    composeOntoBackBuffer(index, copy, 1.0f);
    blit(backBuffer, copy, wholeScreen, screen, wholeScreen, 1.0f);
}

#include "backdrop/fade.h"

#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "input/frame_pacer.h"

namespace {

// The round's picture is two layers: the panel of bgLayer beside the play area of fieldLayer.
void composeOntoBackBuffer(int32_t index, int32_t mode, float weight) {
    if (index == kFieldLayerIndex) {
        blit(bgLayer, mode, kPanel, backBuffer, kPanel, weight);
        blit(fieldLayer, mode, kPlayArea, backBuffer, kPlayArea, weight);
    } else {
        blit(surfaceTable[index], mode, kWholeWindow, backBuffer, kWholeWindow, weight);
    }
}

} // namespace

void fadeInLayer(int32_t index) {
    if (index < 0 || index >= kSurfaceTableSize) return;
    blit(screen, copy, kWholeWindow, snapshot, kWholeWindow, 1.0f);
    // The float sum of the steps passes 1.0 after the twentieth, so full strength is never
    // blended: blend skips white, and the copy below brings the white parts in too.
    for (float weight = 0.0f; weight <= 1.0f; weight += 0.05f) {
        blit(snapshot, copy, kWholeWindow, backBuffer, kWholeWindow, 1.0f);
        composeOntoBackBuffer(index, blend, weight);
        blit(backBuffer, copy, kWholeWindow, screen, kWholeWindow, 1.0f);
        waitFrames(1);
    }
    composeOntoBackBuffer(index, copy, 1.0f);
    blit(backBuffer, copy, kWholeWindow, screen, kWholeWindow, 1.0f);
}

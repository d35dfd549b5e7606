#include "screens/startup_logo.h"

#include "gfx/blit.h"
#include "input/frame_pacer.h"

namespace {

constexpr uint32_t faceChecksum = 0xF1C998AAu;
constexpr uint32_t logoChecksum = 0x59D3E647u;
constexpr int32_t checksumMultiplier = 99;

constexpr int16_t faceWidth = 128;
constexpr int16_t faceHeight = 200;
constexpr int16_t logoWidth = 480;
constexpr int16_t logoHeight = 178;
constexpr int16_t gap = 10;

constexpr int32_t faceFrames[] = {1, 0, 1, 0, 2, 3};
// The second 0 of the sequence is held for a second period.
constexpr int32_t heldTwiceEntry = 3;

constexpr int16_t sweepStep = 10;
constexpr float sweepWeight = 0.1f;
constexpr uint32_t sweepPeriodMs = 10;
constexpr uint32_t facePeriodMs = 120;
constexpr uint32_t finalWaitMs = 400;

BlitRect faceFrame(int32_t frame) {
    return BlitRect{0, static_cast<int16_t>(faceWidth * frame), faceHeight, faceWidth};
}

} // namespace

int32_t showStartupLogo(QUORINImage& screen) {
    // Locals, so all three are released on every way out of this function.
    QUORINImage faceSheet;
    QUORINImage logoSheet;
    QUORINImage canvas;
    // Both loads before both checks: a missing file is reported even when the other is altered.
    if (loadBitmap(faceSheet, "QUORINFACE") == nullptr) return 0;
    if (loadBitmap(logoSheet, "QUORINLOGO") == nullptr) return 0;
    if (verifyBitmap(faceSheet, faceChecksum, checksumMultiplier) != 1) return 0;
    if (verifyBitmap(logoSheet, logoChecksum, checksumMultiplier) != 1) return 0;

    const int32_t width = screen.bounds.width;
    const int32_t height = screen.bounds.height;
    if (createSurface(canvas, width, height) == nullptr) return 0;
    const BlitRect whole = canvas.bounds;
    const BlitRect faceDest{static_cast<int16_t>(height / 2 - faceHeight - gap),
                            static_cast<int16_t>(width / 2 - faceWidth / 2), faceHeight, faceWidth};
    BlitRect logoDest{static_cast<int16_t>(height / 2 + gap),
                      static_cast<int16_t>(width / 2 - logoWidth / 2), logoHeight, logoWidth};
    BlitRect richLogo{logoHeight, 0, logoHeight, logoWidth};

    fillSurface(canvas, 255, 255, 255);
    blit(faceSheet, copy, faceFrame(0), canvas, faceDest, 1.0f);
    blit(logoSheet, copy, BlitRect{0, 0, logoHeight, logoWidth}, canvas, logoDest, 1.0f);
    blit(canvas, copy, whole, screen, whole, 1.0f);

    // Each step blends the strip up to w once more, so the rich logo builds up from the left.
    startFrameTimer();
    for (int16_t w = 0; w <= logoWidth; w += sweepStep) {
        richLogo.width = w;
        logoDest.width = w;
        blit(logoSheet, blend, richLogo, canvas, logoDest, sweepWeight);
        blit(canvas, copy, whole, screen, whole, 1.0f);
        waitFrame(sweepPeriodMs);
    }

    for (int32_t entry = 0; entry < 6; ++entry) {
        blit(faceSheet, copy, faceFrame(faceFrames[entry]), canvas, faceDest, 1.0f);
        blit(canvas, copy, whole, screen, whole, 1.0f);
        waitFrame(facePeriodMs);
        if (entry == heldTwiceEntry) waitFrame(facePeriodMs);
    }
    waitFrame(finalWaitMs);
    return 1;
}

#include "screens/startup_logo.h"

#include "gfx/blit.h"
#include "input/frame_pacer.h"

namespace {

constexpr uint32_t kFaceChecksum = 0xF1C998AAu;
constexpr uint32_t kLogoChecksum = 0x59D3E647u;
constexpr int32_t kChecksumMultiplier = 99;

constexpr int16_t kFaceWidth = 128;
constexpr int16_t kFaceHeight = 200;
constexpr int16_t kLogoWidth = 480;
constexpr int16_t kLogoHeight = 178;
constexpr int16_t kGap = 10;

constexpr int32_t kFaceFrames[] = {1, 0, 1, 0, 2, 3};
// The second 0 of the sequence is held for a second period.
constexpr int32_t kHeldTwiceEntry = 3;

constexpr int16_t kSweepStep = 10;
constexpr float kSweepWeight = 0.1f;
constexpr uint32_t kSweepPeriodMs = 10;
constexpr uint32_t kFacePeriodMs = 120;
constexpr uint32_t kFinalWaitMs = 400;

BlitRect faceFrame(int32_t frame) {
    return BlitRect{0, static_cast<int16_t>(kFaceWidth * frame), kFaceHeight, kFaceWidth};
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
    if (verifyBitmap(faceSheet, kFaceChecksum, kChecksumMultiplier) != 1) return 0;
    if (verifyBitmap(logoSheet, kLogoChecksum, kChecksumMultiplier) != 1) return 0;

    const int32_t width = screen.bounds.width;
    const int32_t height = screen.bounds.height;
    if (createSurface(canvas, width, height) == nullptr) return 0;
    const BlitRect whole = canvas.bounds;
    const BlitRect faceDest{static_cast<int16_t>(height / 2 - kFaceHeight - kGap),
                            static_cast<int16_t>(width / 2 - kFaceWidth / 2), kFaceHeight,
                            kFaceWidth};
    BlitRect logoDest{static_cast<int16_t>(height / 2 + kGap),
                      static_cast<int16_t>(width / 2 - kLogoWidth / 2), kLogoHeight, kLogoWidth};
    BlitRect richLogo{kLogoHeight, 0, kLogoHeight, kLogoWidth};

    fillSurface(canvas, 255, 255, 255);
    blit(faceSheet, copy, faceFrame(0), canvas, faceDest, 1.0f);
    blit(logoSheet, copy, BlitRect{0, 0, kLogoHeight, kLogoWidth}, canvas, logoDest, 1.0f);
    blit(canvas, copy, whole, screen, whole, 1.0f);

    // Each step blends the strip up to w once more, so the rich logo builds up from the left.
    startFrameTimer();
    for (int16_t w = 0; w <= kLogoWidth; w += kSweepStep) {
        richLogo.width = w;
        logoDest.width = w;
        blit(logoSheet, blend, richLogo, canvas, logoDest, kSweepWeight);
        blit(canvas, copy, whole, screen, whole, 1.0f);
        waitFrame(kSweepPeriodMs);
    }

    for (int32_t entry = 0; entry < 6; ++entry) {
        blit(faceSheet, copy, faceFrame(kFaceFrames[entry]), canvas, faceDest, 1.0f);
        blit(canvas, copy, whole, screen, whole, 1.0f);
        waitFrame(kFacePeriodMs);
        if (entry == kHeldTwiceEntry) waitFrame(kFacePeriodMs);
    }
    waitFrame(kFinalWaitMs);
    return 1;
}

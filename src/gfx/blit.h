#pragma once
// The software blitter: copy, keyed and blend modes between surfaces and the window.
#include <cstdint>

#include "gfx/blit_rect.h"
#include "gfx/image.h"

// Any other value draws nothing. Any blit involving the screen surface is a copy.
enum BlitMode : int32_t {
    copy = 0,  // every pixel, white included; a stretch when the sizes differ
    keyed = 1, // pure white source pixels are transparent; nearest-neighbour stretch
    blend = 2, // non-white pixels mixed by weight; a plain stretch when the sizes differ
};

// Moves srcRect of source onto destRect of target. Pixels outside either surface are skipped.
void blit(QUORINImage& source, int32_t mode, const BlitRect& srcRect, QUORINImage& target,
          const BlitRect& destRect, float weight);

// Draws srcRect of source, keyed, onto each of `count` rectangles of the target in their order,
// as that many blits would; those wholly inside the target go to the kernel together.
void blitKeyedMany(QUORINImage& source, const BlitRect& srcRect, QUORINImage& target,
                   const BlitRect* const* destRects, int32_t count);

#pragma once
// One recurring blit: drawn with drawSprite, erased by copying the background back with
// restoreSprite. Callers move it by writing destRect's top and left.
#include <cstdint>

#include "gfx/blit_rect.h"
#include "gfx/image.h"

struct QUORINSprite {
    QUORINImage* target = nullptr;
    QUORINImage* restoreSource = nullptr;
    QUORINImage* source = nullptr;
    BlitRect destRect;
    BlitRect srcRect;
    int32_t mode = 0;
    float weight = 1.0f;
};

void resetSprite(QUORINSprite& sprite);
// A null rect means the whole source. Leaves restoreSource alone. Returns 1.
int initSprite(QUORINSprite& sprite, int32_t mode, QUORINImage& source, const BlitRect* rect,
               QUORINImage& target, float weight);
// Overrides (non-null) apply to this call only.
void drawSprite(const QUORINSprite& sprite, QUORINImage* target = nullptr,
                const BlitRect* rect = nullptr);
// Draws the sprites in their order, as drawSprite would each; runs of sprites showing one keyed
// image on one target go to the kernel together.
void drawSpriteList(const QUORINSprite* const* sprites, int32_t count);
// Copies destRect from the source (else restoreSource) onto the target (else target).
void restoreSprite(const QUORINSprite& sprite, QUORINImage* source = nullptr,
                   QUORINImage* target = nullptr);

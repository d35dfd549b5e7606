#include "gfx/sprite.h"

#include "gfx/blit.h"

void resetSprite(QUORINSprite& sprite) {
    sprite = QUORINSprite{};
}

int initSprite(QUORINSprite& sprite, int32_t mode, QUORINImage& source, const BlitRect* rect,
               QUORINImage& target, float weight) {
    sprite.mode = mode;
    sprite.source = &source;
    sprite.target = &target;
    sprite.weight = weight;
    const BlitRect whole{0, 0, source.bounds.height, source.bounds.width};
    sprite.destRect = sprite.srcRect = rect != nullptr ? *rect : whole;
    return 1;
}

void drawSprite(const QUORINSprite& sprite, QUORINImage* target, const BlitRect* rect) {
    QUORINImage* onto = target != nullptr ? target : sprite.target;
    if (sprite.source == nullptr || onto == nullptr) return;
    blit(*sprite.source, sprite.mode, sprite.srcRect, *onto,
         rect != nullptr ? *rect : sprite.destRect, sprite.weight);
}

namespace {

bool sameImage(const QUORINSprite& a, const QUORINSprite& b) {
    return a.source == b.source && a.target == b.target && a.mode == b.mode &&
           a.srcRect.top == b.srcRect.top && a.srcRect.left == b.srcRect.left &&
           a.srcRect.height == b.srcRect.height && a.srcRect.width == b.srcRect.width;
}

} // namespace

void drawSpriteList(const QUORINSprite* const* sprites, int32_t count) {
    constexpr int32_t kRun = 64;
    const BlitRect* places[kRun];
    for (int32_t i = 0; i < count;) {
        const QUORINSprite& first = *sprites[i];
        if (first.mode != keyed || first.source == nullptr || first.target == nullptr) {
            drawSprite(first);
            ++i;
            continue;
        }
        int32_t run = 0;
        while (i < count && run < kRun && sameImage(*sprites[i], first))
            places[run++] = &sprites[i++]->destRect;
        blitKeyedMany(*first.source, first.srcRect, *first.target, places, run);
    }
}

void restoreSprite(const QUORINSprite& sprite, QUORINImage* source, QUORINImage* target) {
    QUORINImage* from = source != nullptr ? source : sprite.restoreSource;
    QUORINImage* onto = target != nullptr ? target : sprite.target;
    if (from == nullptr || onto == nullptr) return;
    blit(*from, copy, sprite.destRect, *onto, sprite.destRect, 1.0f);
}

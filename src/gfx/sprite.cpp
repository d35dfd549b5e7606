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

void restoreSprite(const QUORINSprite& sprite, QUORINImage* source, QUORINImage* target) {
    QUORINImage* from = source != nullptr ? source : sprite.restoreSource;
    QUORINImage* onto = target != nullptr ? target : sprite.target;
    if (from == nullptr || onto == nullptr) return;
    blit(*from, copy, sprite.destRect, *onto, sprite.destRect, 1.0f);
}

#pragma once
// The start-up logo, played once before the title screen.

#include "gfx/image.h"

#include <cstdint>

// The maker's animation on a white canvas: a face above a logo, a richer logo sweeping in from
// the left, the face running through its frames; about 1.73 s. Returns 1 when it was played, 0
// when a bitmap is missing or altered (its box was shown) or the canvas could not be made.
int32_t showStartupLogo(QUORINImage& screen);

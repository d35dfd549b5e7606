#pragma once
// Small pixel-art drawing helpers shared by the sheets: hard-edged shapes, colour mixing and the
// bevelled plate that blocks, walls and title letters are built from.
#include "canvas.h"

namespace assets {

// t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
Rgb lighten(Rgb c, double t);
Rgb darken(Rgb c, double t);
// Keeps a drawn colour off the transparent key: pure white becomes an almost-white.
Rgb opaque(Rgb c);

void fillRect(Canvas& canvas, int left, int top, int width, int height, Rgb c);
// A filled disc of the given radius around the centre (cx, cy), in half-pixel units so that even
// sizes centre between pixels: the pixel (x, y) is inside when its centre lies within the radius.
void fillDisc(Canvas& canvas, double cx, double cy, double radius, Rgb c);
void fillEllipse(Canvas& canvas, double cx, double cy, double rx, double ry, Rgb c);
// A rectangle with a light top-left edge and a dark bottom-right edge, lit from the top left.
void bevelRect(Canvas& canvas, int left, int top, int width, int height, Rgb base, int edge = 1);
// Draws a one-pixel outline of colour c around every pixel of the area (left, top, width,
// height) that differs from the background, onto background pixels only.
void outline(Canvas& canvas, int left, int top, int width, int height, Rgb background, Rgb c,
             bool diagonals = true);

} // namespace assets

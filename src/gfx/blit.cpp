#include "gfx/blit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/platform.h"

// Each software mode clips its rectangles once and then runs plain row loops: the pixels written
// and their values are those of testing every pixel against both surfaces in turn.

namespace {

// A surface's rows as a plain picture. For the screen surface they only stage what goes to or
// comes from the window.
struct View {
    uint8_t* pixels;
    int32_t width;
    int32_t height;

    uint8_t* at(int32_t x, int32_t y) const {
        return pixels + (static_cast<ptrdiff_t>(height - 1 - y) * width + x) * 3;
    }
    ptrdiff_t lineStep() const { return -static_cast<ptrdiff_t>(width) * 3; }
};

View viewOf(const QUORINImage& surface) {
    return {surface.pixels, surface.bounds.width, surface.bounds.height};
}

// Lines or columns first .. end - 1 of a rectangle.
struct Range {
    int32_t first;
    int32_t end;
    bool empty() const { return first >= end; }
    int32_t size() const { return end - first; }
};

// The lines (or columns) of a rectangle of `size` that lie inside the source, where it starts at
// srcStart of srcExtent, and inside the target, where it starts at dstStart of dstExtent.
Range clipEqual(int32_t size, int32_t srcStart, int32_t srcExtent, int32_t dstStart,
                int32_t dstExtent) {
    return {std::max({0, -srcStart, -dstStart}),
            std::min({size, srcExtent - srcStart, dstExtent - dstStart})};
}

// The k of `within` for which base + floor(k x step / 256) lies in 0 .. limit - 1. The value is
// monotonic in k, so these k form one range; it is found by bisection.
Range sampledRange(Range within, int64_t base, int64_t step, int32_t limit) {
    if (within.empty()) return within;
    auto firstWhere = [&](auto holds) {
        int32_t low = within.first, high = within.end;
        while (low < high) {
            const int32_t middle = low + (high - low) / 2;
            if (holds(base + ((int64_t{middle} * step) >> 8)))
                high = middle;
            else
                low = middle + 1;
        }
        return low;
    };
    if (step >= 0)
        return {firstWhere([](int64_t v) { return v >= 0; }),
                firstWhere([limit](int64_t v) { return v >= limit; })};
    return {firstWhere([limit](int64_t v) { return v < limit; }),
            firstWhere([](int64_t v) { return v < 0; })};
}

bool isKey(const uint8_t* pixel) {
    return (pixel[0] & pixel[1] & pixel[2]) == 255;
}

// weight x 512 truncated toward zero; a weight whose product has no 32-bit value is held at the
// nearest one, and no weight at all (NaN) counts as 0.
int32_t blendFactor(float weight) {
    const double t = static_cast<double>(weight) * 512.0;
    if (std::isnan(t)) return 0;
    return static_cast<int32_t>(std::clamp(t, -2147483648.0, 2147483647.0));
}

void copyRows(View s, int32_t sx, int32_t sy, View d, int32_t dx, int32_t dy, int32_t width,
              int32_t height, bool sameSurface) {
    const size_t bytes = static_cast<size_t>(width) * 3;
    // Within one surface a block moved down is copied from its bottom line up, so that every
    // line is read before it is overwritten.
    if (sameSurface && dy > sy) {
        for (int32_t i = height - 1; i >= 0; --i)
            std::memmove(d.at(dx, dy + i), s.at(sx, sy + i), bytes);
    } else {
        for (int32_t i = 0; i < height; ++i)
            std::memmove(d.at(dx, dy + i), s.at(sx, sy + i), bytes);
    }
}

void copyEqual(QUORINImage& source, const BlitRect& sr, QUORINImage& target, const BlitRect& dr) {
    const View s = viewOf(source), d = viewOf(target);
    const Range lines = clipEqual(sr.height, sr.top, s.height, dr.top, d.height);
    const Range cols = clipEqual(sr.width, sr.left, s.width, dr.left, d.width);
    if (lines.empty() || cols.empty()) return;
    const int32_t sx = sr.left + cols.first, sy = sr.top + lines.first;
    const int32_t dx = dr.left + cols.first, dy = dr.top + lines.first;
    const int32_t width = cols.size(), height = lines.size();
    if (source.isScreen != 0 && target.isScreen != 0) {
        platform::readWindow(sx, sy, width, height, s.at(sx, sy), s.lineStep());
        platform::writeWindow(dx, dy, width, height, s.at(sx, sy), s.lineStep());
    } else if (source.isScreen != 0) {
        platform::readWindow(sx, sy, width, height, d.at(dx, dy), d.lineStep());
    } else if (target.isScreen != 0) {
        platform::writeWindow(dx, dy, width, height, s.at(sx, sy), s.lineStep());
    } else {
        copyRows(s, sx, sy, d, dx, dy, width, height, &source == &target);
    }
}

void keyedEqual(View s, const BlitRect& sr, View d, const BlitRect& dr) {
    const Range lines = clipEqual(sr.height, sr.top, s.height, dr.top, d.height);
    const Range cols = clipEqual(sr.width, sr.left, s.width, dr.left, d.width);
    if (lines.empty() || cols.empty()) return;
    const int32_t width = cols.size();
    for (int32_t i = lines.first; i < lines.end; ++i) {
        const uint8_t* from = s.at(sr.left + cols.first, sr.top + i);
        uint8_t* to = d.at(dr.left + cols.first, dr.top + i);
        for (int32_t j = 0; j < width; ++j, from += 3, to += 3) {
            if (isKey(from)) continue;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

void blendEqual(View s, const BlitRect& sr, View d, const BlitRect& dr, int32_t t) {
    const Range lines = clipEqual(sr.height, sr.top, s.height, dr.top, d.height);
    const Range cols = clipEqual(sr.width, sr.left, s.width, dr.left, d.width);
    if (lines.empty() || cols.empty()) return;
    // Each term is truncated on its own and only the low 8 bits of the sum are kept, so the two
    // terms can be tabled per byte value once per blit.
    uint8_t fromPart[256], toPart[256];
    for (int32_t v = 0; v < 256; ++v) {
        fromPart[v] = static_cast<uint8_t>((int64_t{v} * t) >> 9);
        toPart[v] = static_cast<uint8_t>((int64_t{v} * (512 - int64_t{t})) >> 9);
    }
    const int32_t width = cols.size();
    for (int32_t i = lines.first; i < lines.end; ++i) {
        const uint8_t* from = s.at(sr.left + cols.first, sr.top + i);
        uint8_t* to = d.at(dr.left + cols.first, dr.top + i);
        for (int32_t j = 0; j < width; ++j, from += 3, to += 3) {
            if (isKey(from)) continue;
            to[0] = static_cast<uint8_t>(fromPart[from[0]] + toPart[to[0]]);
            to[1] = static_cast<uint8_t>(fromPart[from[1]] + toPart[to[1]]);
            to[2] = static_cast<uint8_t>(fromPart[from[2]] + toPart[to[2]]);
        }
    }
}

// Nearest-neighbour stretch driven by the destination: destination column j samples source
// column left + floor(j x stepX / 256) and line i samples source line top + ceil(i x stepY / 256)
// (lines round up, through the bottom-up row arithmetic). Sets lines and cols to the block of the
// destination that samples inside the source and lies inside the target: what was written, but
// for skipped key pixels.
template <bool kKeyed>
void stretch(View s, const BlitRect& sr, View d, const BlitRect& dr, Range& lines, Range& cols) {
    lines = cols = {0, 0};
    if (dr.height <= 0 || dr.width <= 0) return;
    const int32_t stepX = int32_t{sr.width} * 256 / dr.width;
    const int32_t stepY = int32_t{sr.height} * 256 / dr.height;
    const int32_t firstRow = s.height - sr.top - 1;
    lines = sampledRange({std::max(0, -dr.top), std::min<int32_t>(dr.height, d.height - dr.top)},
                         firstRow, -int64_t{stepY}, s.height);
    cols = sampledRange({std::max(0, -dr.left), std::min<int32_t>(dr.width, d.width - dr.left)},
                        sr.left, stepX, s.width);
    if (lines.empty() || cols.empty()) return;
    const ptrdiff_t rowBytes = static_cast<ptrdiff_t>(s.width) * 3;
    for (int32_t i = lines.first; i < lines.end; ++i) {
        const int64_t row = firstRow + ((int64_t{i} * -int64_t{stepY}) >> 8);
        const uint8_t* sourceRow = s.pixels + row * rowBytes;
        uint8_t* to = d.at(dr.left + cols.first, dr.top + i);
        int64_t u = int64_t{cols.first} * stepX;
        for (int32_t j = cols.first; j < cols.end; ++j, u += stepX, to += 3) {
            const uint8_t* from = sourceRow + (sr.left + (u >> 8)) * 3;
            if (kKeyed && isKey(from)) continue;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

// What a stretch into the window is composed in before it goes there in one copy.
uint8_t windowFrame[platform::kWindowWidth * platform::kWindowHeight * 3];

void copyStretched(QUORINImage& source, const BlitRect& sr, QUORINImage& target,
                   const BlitRect& dr) {
    const View s = viewOf(source);
    View d = viewOf(target);
    if (source.isScreen != 0)
        platform::readWindow(0, 0, s.width, s.height, s.at(0, 0), s.lineStep());
    if (target.isScreen != 0) d.pixels = windowFrame;
    Range lines, cols;
    stretch<false>(s, sr, d, dr, lines, cols);
    if (target.isScreen != 0 && !lines.empty() && !cols.empty()) {
        const int32_t dx = dr.left + cols.first, dy = dr.top + lines.first;
        platform::writeWindow(dx, dy, cols.size(), lines.size(), d.at(dx, dy), d.lineStep());
    }
}

} // namespace

void blit(QUORINImage& source, int32_t mode, const BlitRect& srcRect, QUORINImage& target,
          const BlitRect& destRect, float weight) {
    if (source.pixels == nullptr || target.pixels == nullptr) return;
    const int32_t t = blendFactor(weight);
    if (source.isScreen != 0 || target.isScreen != 0) mode = copy;
    const bool sameSize = srcRect.height == destRect.height && srcRect.width == destRect.width;
    switch (mode) {
    case copy:
        if (sameSize)
            copyEqual(source, srcRect, target, destRect);
        else
            copyStretched(source, srcRect, target, destRect);
        break;
    case keyed:
        if (sameSize) {
            keyedEqual(viewOf(source), srcRect, viewOf(target), destRect);
        } else {
            Range lines, cols;
            stretch<true>(viewOf(source), srcRect, viewOf(target), destRect, lines, cols);
        }
        break;
    case blend:
        if (sameSize)
            blendEqual(viewOf(source), srcRect, viewOf(target), destRect, t);
        else
            copyStretched(source, srcRect, target, destRect);
        break;
    default:
        break;
    }
}

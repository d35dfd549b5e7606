#include "gfx/blit.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "gfx/blit_kernels.h"
#include "platform/platform.h"

// Each software mode clips its rectangles once and then hands the rows to the kernels of the
// processor's path: the pixels written and their values are those of testing every pixel against
// both surfaces in turn.

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
    return {std::max(0, std::max(-srcStart, -dstStart)),
            std::min(size, std::min(srcExtent - srcStart, dstExtent - dstStart))};
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

// The longest piece of a stretched line gathered at once.
constexpr int32_t kSampledPixels = 128;

// weight x 512 truncated toward zero; a weight whose product has no 32-bit value is held at the
// nearest one, and no weight at all (NaN) counts as 0.
int32_t blendFactor(float weight) {
    const double t = static_cast<double>(weight) * 512.0;
    if (std::isnan(t)) return 0;
    return static_cast<int32_t>(std::clamp(t, -2147483648.0, 2147483647.0));
}

// The rows of a clipped block, as the kernels take them.
struct PixelRows {
    const uint8_t* from;
    ptrdiff_t fromStep;
    uint8_t* to;
    ptrdiff_t toStep;
    int32_t width;
    int32_t height;
};

void run(RowsKernel kernel, const PixelRows& r) {
    kernel(r.from, r.fromStep, r.to, r.toStep, r.width, r.height);
}

// Within one surface a block moved down is copied from its bottom line up, so that every line is
// read before it is overwritten.
[[gnu::noinline]] void moveWithin(const PixelRows& rows, bool downwards) {
    const size_t bytes = static_cast<size_t>(rows.width) * 3;
    for (int32_t k = 0; k < rows.height; ++k) {
        const int32_t i = downwards ? rows.height - 1 - k : k;
        std::memmove(rows.to + i * rows.toStep, rows.from + i * rows.fromStep, bytes);
    }
}

[[gnu::noinline]] void blendRows(const BlitKernels& kernels, const PixelRows& r, int32_t t) {
    // At t = 0 every byte keeps its value and at t = 512 a drawn pixel becomes the source's, a
    // keyed copy; factors of weights outside 0 .. 1 are left to the scalar loop.
    if (t > 0 && t < 512)
        kernels.blend(r.from, r.fromStep, r.to, r.toStep, r.width, r.height, t);
    else if (t == 512)
        run(kernels.keyed, r);
    else if (t != 0)
        scalarKernels.blend(r.from, r.fromStep, r.to, r.toStep, r.width, r.height, t);
}

// A copy into or out of the window goes through the platform. Kept out of line, like the other
// rare paths, so that the frame's many small blits run through a short function.
[[gnu::noinline]] void copyWithWindow(bool fromWindow, View s, int32_t sx, int32_t sy,
                                      bool toWindow, View d, int32_t dx, int32_t dy, int32_t width,
                                      int32_t height) {
    if (fromWindow && toWindow) {
        platform::readWindow(sx, sy, width, height, s.at(sx, sy), s.lineStep());
        platform::writeWindow(dx, dy, width, height, s.at(sx, sy), s.lineStep());
    } else if (fromWindow) {
        platform::readWindow(sx, sy, width, height, d.at(dx, dy), d.lineStep());
    } else {
        platform::writeWindow(dx, dy, width, height, s.at(sx, sy), s.lineStep());
    }
}

// Rectangles of equal size that reach outside a surface, share one or involve the window: clipped
// once to the block that lies inside both surfaces, then handed whole to a kernel. Within one
// surface the scalar loops run, whose order of reads and writes defines the result where the
// rectangles overlap.
void blitEqual(QUORINImage& source, int32_t mode, const BlitRect& sr, QUORINImage& target,
               const BlitRect& dr, float weight) {
    const View s = viewOf(source), d = viewOf(target);
    const Range lines = clipEqual(sr.height, sr.top, s.height, dr.top, d.height);
    const Range cols = clipEqual(sr.width, sr.left, s.width, dr.left, d.width);
    if (lines.empty() || cols.empty()) return;
    const int32_t sx = sr.left + cols.first, sy = sr.top + lines.first;
    const int32_t dx = dr.left + cols.first, dy = dr.top + lines.first;
    const int32_t width = cols.size(), height = lines.size();
    if (source.isScreen != 0 || target.isScreen != 0) {
        copyWithWindow(source.isScreen != 0, s, sx, sy, target.isScreen != 0, d, dx, dy, width,
                       height);
        return;
    }
    const PixelRows rows{s.at(sx, sy), s.lineStep(), d.at(dx, dy), d.lineStep(), width, height};
    const bool oneSurface = s.pixels == d.pixels;
    const BlitKernels& kernels = oneSurface ? scalarKernels : blitKernels();
    if (mode == keyed)
        run(kernels.keyed, rows);
    else if (mode == copy && oneSurface)
        moveWithin(rows, dy > sy);
    else if (mode == copy)
        run(kernels.copy, rows);
    else
        blendRows(kernels, rows, blendFactor(weight));
}

// A keyed stretch between two surfaces, at most kSampledPixels wide (the big ball's 16 x 16 onto
// 24 x 24): each destination line's samples are gathered into one row, once for the lines that
// sample the same source line, and the keyed kernel draws it.
void gatherAndDraw(View s, int32_t left, int32_t firstRow, int64_t rowStep, int32_t stepX, View d,
                   const BlitRect& dr, Range lines, Range cols) {
    const int32_t count = cols.size();
    ptrdiff_t offset[kSampledPixels];
    int64_t u = int64_t{cols.first} * stepX;
    for (int32_t k = 0; k < count; ++k, u += stepX)
        offset[k] = (left + (u >> 8)) * 3;
    uint8_t sampled[kSampledPixels * 3];
    const BlitKernels& kernels = blitKernels();
    int64_t gatheredRow = -1;
    for (int32_t i = lines.first; i < lines.end; ++i) {
        const int64_t row = firstRow + ((int64_t{i} * rowStep) >> 8);
        if (row != gatheredRow) {
            const uint8_t* sourceRow = s.pixels + row * s.width * 3;
            for (int32_t k = 0; k < count; ++k)
                std::memcpy(sampled + k * 3, sourceRow + offset[k], 3);
            gatheredRow = row;
        }
        kernels.keyed(sampled, 0, d.at(dr.left + cols.first, dr.top + i), 0, count, 1);
    }
}

// Nearest-neighbour stretch driven by the destination: destination column j samples source
// column left + floor(j x stepX / 256) and line i samples source line top + ceil(i x stepY / 256)
// (lines round up, through the bottom-up row arithmetic). Sets lines and cols to the block of the
// destination that samples inside the source and lies inside the target: what was written, but
// for skipped key pixels.
template <bool kKeyed>
[[gnu::noinline]] void stretch(View s, const BlitRect& sr, View d, const BlitRect& dr, Range& lines,
                               Range& cols) {
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
    if (kKeyed && s.pixels != d.pixels && cols.size() <= kSampledPixels) {
        gatherAndDraw(s, sr.left, firstRow, -int64_t{stepY}, stepX, d, dr, lines, cols);
        return;
    }
    // Within one surface a pixel may be sampled after it was drawn, so the pixels go one by one.
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

[[gnu::noinline]] void copyStretched(QUORINImage& source, const BlitRect& sr, QUORINImage& target,
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

// A rectangle's four 16-bit values in one word: top and left in the low half, height and width in
// the high half, in the same places. On a little-endian processor that is the record as it lies.
uint64_t packed(const BlitRect& r) {
    if constexpr (std::endian::native == std::endian::little && sizeof(BlitRect) == 8) {
        uint64_t word;
        std::memcpy(&word, &r, sizeof word);
        return word;
    }
    return uint64_t{static_cast<uint16_t>(r.top)} | uint64_t{static_cast<uint16_t>(r.left)} << 16 |
           uint64_t{static_cast<uint16_t>(r.height)} << 32 |
           uint64_t{static_cast<uint16_t>(r.width)} << 48;
}

// The rectangle lies wholly inside the surface's bounds, whose top and left are 0. Its four
// values are tested at once for a sign, and top + height and left + width are added in 16-bit
// lanes, which cannot carry into each other: two values of 0 to 32767 add up to less than 65536.
bool insideBounds(uint64_t rect, uint64_t bounds) {
    if ((rect & 0x8000800080008000u) != 0) return false;
    const uint32_t ends = static_cast<uint32_t>(rect) + static_cast<uint32_t>(rect >> 32);
    const uint32_t limits = static_cast<uint32_t>(bounds >> 32);
    return (ends & 0xFFFFu) <= (limits & 0xFFFFu) && (ends >> 16) <= (limits >> 16);
}

[[gnu::noinline]] void blitClipped(QUORINImage& source, int32_t mode, const BlitRect& srcRect,
                                   QUORINImage& target, const BlitRect& destRect, float weight) {
    if (source.pixels == nullptr || target.pixels == nullptr) return;
    if (source.isScreen != 0 || target.isScreen != 0) mode = copy;
    if (mode != copy && mode != keyed && mode != blend) return;
    if (srcRect.height == destRect.height && srcRect.width == destRect.width) {
        blitEqual(source, mode, srcRect, target, destRect, weight);
    } else if (mode == keyed) {
        Range lines, cols;
        stretch<true>(viewOf(source), srcRect, viewOf(target), destRect, lines, cols);
    } else {
        copyStretched(source, srcRect, target, destRect);
    }
}

// The first byte of the rectangle's top line in a bottom-up surface.
uint8_t* cornerOf(const QUORINImage& surface, const BlitRect& r) {
    return surface.pixels +
           (static_cast<ptrdiff_t>(surface.bounds.height - 1 - r.top) * surface.bounds.width +
            r.left) *
               3;
}

} // namespace

void blit(QUORINImage& source, int32_t mode, const BlitRect& srcRect, QUORINImage& target,
          const BlitRect& destRect, float weight) {
    // The frame's many small blits (balls, their restores, glyphs, blocks) lie wholly inside two
    // different off-screen surfaces: nothing to clip, and straight to the kernel.
    const uint64_t from = packed(srcRect), to = packed(destRect);
    const uint32_t size = static_cast<uint32_t>(from >> 32);
    if (static_cast<uint32_t>(mode) <= keyed && size == (to >> 32) && (size & 0xFFFFu) != 0 &&
        (size >> 16) != 0 && (source.isScreen | target.isScreen) == 0 &&
        source.pixels != target.pixels && source.pixels != nullptr && target.pixels != nullptr &&
        insideBounds(from, packed(source.bounds)) && insideBounds(to, packed(target.bounds))) {
        const int32_t sw = source.bounds.width, dw = target.bounds.width;
        const BlitKernels& kernels = blitKernels();
        (mode == keyed ? kernels.keyed : kernels.copy)(
            cornerOf(source, srcRect), -ptrdiff_t{sw} * 3, cornerOf(target, destRect),
            -ptrdiff_t{dw} * 3, srcRect.width, srcRect.height);
        return;
    }
    blitClipped(source, mode, srcRect, target, destRect, weight);
}

void blitKeyedMany(QUORINImage& source, const BlitRect& srcRect, QUORINImage& target,
                   const BlitRect* const* destRects, int32_t count) {
    const uint64_t from = packed(srcRect);
    const uint32_t size = static_cast<uint32_t>(from >> 32);
    if ((size & 0xFFFFu) == 0 || (size >> 16) == 0 || (source.isScreen | target.isScreen) != 0 ||
        source.pixels == target.pixels || source.pixels == nullptr || target.pixels == nullptr ||
        !insideBounds(from, packed(source.bounds))) {
        for (int32_t k = 0; k < count; ++k)
            blit(source, keyed, srcRect, target, *destRects[k], 1.0f);
        return;
    }
    // Places wholly inside the target gather here; one that is not is clipped on its own, after
    // those before it.
    constexpr int32_t kGathered = 64;
    uint8_t* places[kGathered];
    int32_t gathered = 0;
    const uint64_t bounds = packed(target.bounds);
    const BlitKernels& kernels = blitKernels();
    auto drawGathered = [&] {
        if (gathered > 0)
            kernels.keyedMany(cornerOf(source, srcRect), -ptrdiff_t{source.bounds.width} * 3,
                              places, gathered, -ptrdiff_t{target.bounds.width} * 3, srcRect.width,
                              srcRect.height);
        gathered = 0;
    };
    for (int32_t k = 0; k < count; ++k) {
        const BlitRect& to = *destRects[k];
        const uint64_t place = packed(to);
        if (static_cast<uint32_t>(place >> 32) == size && insideBounds(place, bounds)) {
            places[gathered++] = cornerOf(target, to);
            if (gathered == kGathered) drawGathered();
        } else {
            drawGathered();
            blit(source, keyed, srcRect, target, to, 1.0f);
        }
    }
    drawGathered();
}

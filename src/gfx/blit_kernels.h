#pragma once
// The pixel loops of the software blits, once per instruction set. The blitter clips a rectangle
// and hands the rows that lie inside both surfaces to the kernels of the chosen path; every path
// writes the same bytes as the scalar one.
#include <cstddef>
#include <cstdint>

// Each kernel works on the rows of a clipped rectangle: height rows of width pixels, 3 bytes a
// pixel, from the source's rows onto the target's. A step is the distance in bytes from one row to
// the next (negative for surfaces stored bottom-up). A kernel reads and writes only the bytes of
// those rows, and never works with source and target rows that share memory: the blitter keeps
// blits within one surface to the scalar loops, whose order of reads and writes defines them.
using RowsKernel = void (*)(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                            int32_t width, int32_t height);
// One source block drawn onto `count` places of the target, in their order, as `count` calls of
// the keyed kernel: the source's white test is made once for all of them.
using ManyKernel = void (*)(const uint8_t* from, ptrdiff_t fromStep, uint8_t* const* to,
                            int32_t count, ptrdiff_t toStep, int32_t width, int32_t height);
using BlendKernel = void (*)(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                             int32_t width, int32_t height, int32_t t);

struct BlitKernels {
    RowsKernel copy;
    // Pure white (all three bytes 255) source pixels are skipped.
    RowsKernel keyed;
    // Non-white pixels become ((s t) >> 9) + ((d (512 - t)) >> 9) per byte, for 0 < t < 512.
    BlendKernel blend;
    ManyKernel keyedMany;
};

// The longest block keyedMany holds its white test for; taller ones go place by place.
constexpr int32_t kManyLines = 16;

// The per-pixel steps with which the vector paths end a row that is not a whole number of
// their blocks long.
inline void keyedPixels(const uint8_t* from, uint8_t* to, int32_t count) {
    for (int32_t j = 0; j < count; ++j, from += 3, to += 3) {
        if ((from[0] & from[1] & from[2]) == 255) continue;
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
    }
}

inline void blendPixels(const uint8_t* from, uint8_t* to, int32_t count, int32_t t) {
    for (int32_t j = 0; j < count; ++j, from += 3, to += 3) {
        if ((from[0] & from[1] & from[2]) == 255) continue;
        for (int32_t k = 0; k < 3; ++k)
            to[k] = static_cast<uint8_t>(((from[k] * t) >> 9) + ((to[k] * (512 - t)) >> 9));
    }
}

enum class BlitPath : int32_t { scalar = 0, sse2 = 1, avx2 = 2 };

namespace blitpath {
// Until the first blit, kernels that choose the path and then hand over to it.
extern const BlitKernels* active;
} // namespace blitpath

// The kernels of the current path: the fastest this processor runs, unless useBlitPath chose.
inline const BlitKernels& blitKernels() {
    return *blitpath::active;
}
BlitPath currentBlitPath();
// Switches every later software blit to the path; 1 when this processor runs it, else 0 and
// nothing changes. For the tests and the benchmarks that compare the paths.
int32_t useBlitPath(BlitPath path);
BlitPath bestBlitPath();

extern const BlitKernels scalarKernels;
#if defined(__x86_64__)
extern const BlitKernels sse2Kernels;
extern const BlitKernels avx2Kernels;
#endif

#include "gfx/blit_kernels.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

void copyScalar(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                int32_t width, int32_t height) {
    const size_t bytes = static_cast<size_t>(width) * 3;
    for (int32_t i = 0; i < height; ++i)
        std::memcpy(to + i * toStep, from + i * fromStep, bytes);
}

void keyedScalar(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                 int32_t width, int32_t height) {
    for (int32_t i = 0; i < height; ++i)
        keyedPixels(from + i * fromStep, to + i * toStep, width);
}

void keyedManyScalar(const uint8_t* from, ptrdiff_t fromStep, uint8_t* const* to, int32_t count,
                     ptrdiff_t toStep, int32_t width, int32_t height) {
    for (int32_t k = 0; k < count; ++k)
        keyedScalar(from, fromStep, to[k], toStep, width, height);
}

// Takes any t, not only 0 < t < 512: the blitter hands it the factors of weights outside 0 .. 1.
void blendScalar(const uint8_t* fromRows, ptrdiff_t fromStep, uint8_t* toRows, ptrdiff_t toStep,
                 int32_t width, int32_t height, int32_t t) {
    // Each term is truncated on its own, so the two terms can be tabled per byte value.
    uint8_t fromPart[256], toPart[256];
    for (int32_t v = 0; v < 256; ++v) {
        fromPart[v] = static_cast<uint8_t>((int64_t{v} * t) >> 9);
        toPart[v] = static_cast<uint8_t>((int64_t{v} * (512 - int64_t{t})) >> 9);
    }
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* from = fromRows + i * fromStep;
        uint8_t* to = toRows + i * toStep;
        for (int32_t j = 0; j < width; ++j, from += 3, to += 3) {
            if ((from[0] & from[1] & from[2]) == 255) continue;
            to[0] = static_cast<uint8_t>(fromPart[from[0]] + toPart[to[0]]);
            to[1] = static_cast<uint8_t>(fromPart[from[1]] + toPart[to[1]]);
            to[2] = static_cast<uint8_t>(fromPart[from[2]] + toPart[to[2]]);
        }
    }
}

bool runs(BlitPath path) {
    switch (path) {
    case BlitPath::scalar:
        return true;
#if defined(__x86_64__)
    case BlitPath::sse2:
        return true;
    case BlitPath::avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
#endif
    default:
        return false;
    }
}

const BlitKernels& kernelsOf(BlitPath path) {
    switch (path) {
#if defined(__x86_64__)
    case BlitPath::sse2:
        return sse2Kernels;
    case BlitPath::avx2:
        return avx2Kernels;
#endif
    default:
        return scalarKernels;
    }
}

// VORBLET_BLIT_PATH=scalar, sse2 or avx2 holds the game to one path, to compare them in whole
// runs; a path this processor cannot run is ignored.
BlitPath startingPath() {
    const char* asked = std::getenv("VORBLET_BLIT_PATH");
    if (asked != nullptr) {
        for (BlitPath path : {BlitPath::scalar, BlitPath::sse2, BlitPath::avx2}) {
            static const char* const names[] = {"scalar", "sse2", "avx2"};
            if (std::strcmp(asked, names[static_cast<int32_t>(path)]) == 0 && runs(path))
                return path;
        }
    }
    return bestBlitPath();
}

BlitPath current = BlitPath::scalar;
bool chosen = false;

const BlitKernels& choose() {
    if (!chosen) {
        chosen = true;
        current = startingPath();
        blitpath::active = &kernelsOf(current);
    }
    return *blitpath::active;
}

void copyOnFirstUse(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                    int32_t width, int32_t height) {
    choose().copy(from, fromStep, to, toStep, width, height);
}

void keyedOnFirstUse(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                     int32_t width, int32_t height) {
    choose().keyed(from, fromStep, to, toStep, width, height);
}

void blendOnFirstUse(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                     int32_t width, int32_t height, int32_t t) {
    choose().blend(from, fromStep, to, toStep, width, height, t);
}

void keyedManyOnFirstUse(const uint8_t* from, ptrdiff_t fromStep, uint8_t* const* to, int32_t count,
                         ptrdiff_t toStep, int32_t width, int32_t height) {
    choose().keyedMany(from, fromStep, to, count, toStep, width, height);
}

const BlitKernels firstUseKernels{copyOnFirstUse, keyedOnFirstUse, blendOnFirstUse,
                                  keyedManyOnFirstUse};

} // namespace

const BlitKernels scalarKernels{copyScalar, keyedScalar, blendScalar, keyedManyScalar};
const BlitKernels* blitpath::active = &firstUseKernels;

BlitPath bestBlitPath() {
    for (BlitPath path : {BlitPath::avx2, BlitPath::sse2})
        if (runs(path)) return path;
    return BlitPath::scalar;
}

BlitPath currentBlitPath() {
    choose();
    return current;
}

int32_t useBlitPath(BlitPath path) {
    if (!runs(path)) return 0;
    chosen = true;
    current = path;
    blitpath::active = &kernelsOf(path);
    return 1;
}

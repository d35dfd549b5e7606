// The software blits with AVX2, for processors that have it (chosen at run time). Eight pixels,
// 24 bytes, are held as bytes 0 to 15 in the low 16 bytes of one register and bytes 16 to 23 in
// those of another, each read and written as exactly those bytes; a 256-bit register carries two
// such groups, one per 128-bit lane, taken from one row or, for a row of an odd number of groups
// (the 8-pixel ball), from two rows. What is left of a row goes pixel by pixel.
#if defined(__x86_64__)
#include <immintrin.h>

#include <cstring>

#include "gfx/blit_kernels.h"

#define VORBLET_AVX2 __attribute__((target("avx2")))

namespace {

struct Eight {
    __m128i lo;
    __m128i hi;
};

// Two groups of eight pixels, the first in the low lanes, the second in the high lanes.
struct Sixteen {
    __m256i lo;
    __m256i hi;
};

VORBLET_AVX2 Eight load8(const uint8_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16))};
}

VORBLET_AVX2 void store8(uint8_t* p, Eight v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v.lo);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), v.hi);
}

VORBLET_AVX2 Sixteen load16(const uint8_t* p, const uint8_t* q) {
    const Eight a = load8(p), b = load8(q);
    return {_mm256_inserti128_si256(_mm256_castsi128_si256(a.lo), b.lo, 1),
            _mm256_inserti128_si256(_mm256_castsi128_si256(a.hi), b.hi, 1)};
}

VORBLET_AVX2 void store16(uint8_t* p, uint8_t* q, Sixteen v) {
    store8(p, {_mm256_castsi256_si128(v.lo), _mm256_castsi256_si128(v.hi)});
    store8(q, {_mm256_extracti128_si256(v.lo, 1), _mm256_extracti128_si256(v.hi, 1)});
}

// Within 16 bytes whose pixels start at 0, 3, 6, 9 and 12: for each byte of a pixel, the places
// of the pixel's other two bytes; byte 15 belongs to no whole pixel and gets 0 (index -128).
#define VORBLET_NEIGHBOUR_1 1, 2, 0, 4, 5, 3, 7, 8, 6, 10, 11, 9, 13, 14, 12, -128
#define VORBLET_NEIGHBOUR_2 2, 0, 1, 5, 3, 4, 8, 6, 7, 11, 9, 10, 14, 12, 13, -128

// 0xFF on the three bytes of every pure white pixel, 0 elsewhere. Pixels 0 to 4 are seen in lo
// as it is; pixels 4 to 7 in the 12 bytes from byte 12, which takes in the pixel at byte 15 that
// lo and hi share.
VORBLET_AVX2 Eight whiteOf(Eight v) {
    const __m128i all = _mm_set1_epi8(-1);
    const __m128i near1 = _mm_setr_epi8(VORBLET_NEIGHBOUR_1);
    const __m128i near2 = _mm_setr_epi8(VORBLET_NEIGHBOUR_2);
    const __m128i ma = _mm_cmpeq_epi8(v.lo, all);
    const __m128i mb = _mm_alignr_epi8(_mm_cmpeq_epi8(v.hi, all), ma, 12);
    const __m128i ka =
        _mm_and_si128(_mm_and_si128(ma, _mm_shuffle_epi8(ma, near1)), _mm_shuffle_epi8(ma, near2));
    const __m128i kb =
        _mm_and_si128(_mm_and_si128(mb, _mm_shuffle_epi8(mb, near1)), _mm_shuffle_epi8(mb, near2));
    return {_mm_or_si128(ka, _mm_slli_si128(kb, 12)), _mm_srli_si128(kb, 4)};
}

VORBLET_AVX2 Sixteen whiteOf(Sixteen v) {
    const __m256i all = _mm256_set1_epi8(-1);
    const __m256i near1 = _mm256_setr_epi8(VORBLET_NEIGHBOUR_1, VORBLET_NEIGHBOUR_1);
    const __m256i near2 = _mm256_setr_epi8(VORBLET_NEIGHBOUR_2, VORBLET_NEIGHBOUR_2);
    const __m256i ma = _mm256_cmpeq_epi8(v.lo, all);
    const __m256i mb = _mm256_alignr_epi8(_mm256_cmpeq_epi8(v.hi, all), ma, 12);
    const __m256i ka = _mm256_and_si256(_mm256_and_si256(ma, _mm256_shuffle_epi8(ma, near1)),
                                        _mm256_shuffle_epi8(ma, near2));
    const __m256i kb = _mm256_and_si256(_mm256_and_si256(mb, _mm256_shuffle_epi8(mb, near1)),
                                        _mm256_shuffle_epi8(mb, near2));
    return {_mm256_or_si256(ka, _mm256_slli_si256(kb, 12)), _mm256_srli_si256(kb, 4)};
}

// ((s t) >> 9) + ((d (512 - t)) >> 9) per byte: with s and d widened to 16 bits, each term is
// the high half of s x (t << 7), exact because t << 7 < 65536 for t < 512.
struct Weights {
    __m256i source;
    __m256i target;
};

VORBLET_AVX2 Weights weightsOf(int32_t t) {
    return {_mm256_set1_epi16(static_cast<int16_t>(t << 7)),
            _mm256_set1_epi16(static_cast<int16_t>((512 - t) << 7))};
}

VORBLET_AVX2 __m256i mixHalf(__m256i s, __m256i d, Weights w) {
    return _mm256_add_epi16(_mm256_mulhi_epu16(s, w.source), _mm256_mulhi_epu16(d, w.target));
}

VORBLET_AVX2 __m256i mix(__m256i s, __m256i d, Weights w) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = mixHalf(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), w);
    const __m256i high = mixHalf(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero), w);
    return _mm256_packus_epi16(low, high);
}

// Only the low 8 bytes of each lane count.
VORBLET_AVX2 __m256i mixLow(__m256i s, __m256i d, Weights w) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = mixHalf(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero), w);
    return _mm256_packus_epi16(low, zero);
}

VORBLET_AVX2 Sixteen keyed16(Sixteen s, Sixteen d) {
    const Sixteen white = whiteOf(s);
    return {_mm256_blendv_epi8(s.lo, d.lo, white.lo), _mm256_blendv_epi8(s.hi, d.hi, white.hi)};
}

VORBLET_AVX2 Eight keyed8(Eight s, Eight d) {
    const Eight white = whiteOf(s);
    return {_mm_blendv_epi8(s.lo, d.lo, white.lo), _mm_blendv_epi8(s.hi, d.hi, white.hi)};
}

VORBLET_AVX2 Sixteen blend16(Sixteen s, Sixteen d, Weights w) {
    const Sixteen white = whiteOf(s);
    return {_mm256_blendv_epi8(mix(s.lo, d.lo, w), d.lo, white.lo),
            _mm256_blendv_epi8(mixLow(s.hi, d.hi, w), d.hi, white.hi)};
}

VORBLET_AVX2 Eight blend8(Eight s, Eight d, Weights w) {
    const Sixteen wide = blend16({_mm256_zextsi128_si256(s.lo), _mm256_zextsi128_si256(s.hi)},
                                 {_mm256_zextsi128_si256(d.lo), _mm256_zextsi128_si256(d.hi)}, w);
    return {_mm256_castsi256_si128(wide.lo), _mm256_castsi256_si128(wide.hi)};
}

struct KeyedStep {
    VORBLET_AVX2 void pair(const uint8_t* f, uint8_t* t, const uint8_t* g, uint8_t* u) const {
        store16(t, u, keyed16(load16(f, g), load16(t, u)));
    }
    VORBLET_AVX2 void single(const uint8_t* f, uint8_t* t) const {
        store8(t, keyed8(load8(f), load8(t)));
    }
    void pixels(const uint8_t* f, uint8_t* t, int32_t count) const { keyedPixels(f, t, count); }
};

struct BlendStep {
    Weights weights;
    int32_t t;
    VORBLET_AVX2 void pair(const uint8_t* f, uint8_t* to, const uint8_t* g, uint8_t* u) const {
        store16(to, u, blend16(load16(f, g), load16(to, u), weights));
    }
    VORBLET_AVX2 void single(const uint8_t* f, uint8_t* to) const {
        store8(to, blend8(load8(f), load8(to), weights));
    }
    void pixels(const uint8_t* f, uint8_t* to, int32_t count) const {
        blendPixels(f, to, count, t);
    }
};

// Runs a step over the rows in groups of eight pixels, two at a time: neighbours in a row, and
// the last group of two rows together when a row holds an odd number of groups. Rows of one
// group, the ball's, have a short loop of their own.
template <class Step>
[[gnu::noinline]] VORBLET_AVX2 void
eachGroupOfWideRows(const Step& step, const uint8_t* from, ptrdiff_t fromStep, uint8_t* to,
                    ptrdiff_t toStep, int32_t width, int32_t height) {
    const int32_t pairs = width / 16, rest = width % 8;
    const bool odd = width % 16 >= 8;
    const ptrdiff_t lastAt = static_cast<ptrdiff_t>(pairs) * 48;
    const ptrdiff_t restAt = lastAt + (odd ? 24 : 0);
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* f = from + i * fromStep;
        uint8_t* t = to + i * toStep;
        for (int32_t k = 0; k < pairs; ++k)
            step.pair(f + k * 48, t + k * 48, f + k * 48 + 24, t + k * 48 + 24);
        if (odd && i % 2 == 0) {
            if (i + 1 < height)
                step.pair(f + lastAt, t + lastAt, f + fromStep + lastAt, t + toStep + lastAt);
            else
                step.single(f + lastAt, t + lastAt);
        }
        step.pixels(f + restAt, t + restAt, rest);
    }
}

template <class Step>
VORBLET_AVX2 inline void eachGroup(const Step& step, const uint8_t* from, ptrdiff_t fromStep,
                                   uint8_t* to, ptrdiff_t toStep, int32_t width, int32_t height) {
    if (width != 8) {
        eachGroupOfWideRows(step, from, fromStep, to, toStep, width, height);
        return;
    }
    for (int32_t i = 0; i + 1 < height; i += 2) {
        const uint8_t* f = from + i * fromStep;
        uint8_t* t = to + i * toStep;
        step.pair(f, t, f + fromStep, t + toStep);
    }
    if (height % 2 == 1) step.single(from + (height - 1) * fromStep, to + (height - 1) * toStep);
}

// Long rows are left to the C library's copy, which is made for them; rows shorter than 16 bytes
// have no whole piece.
[[gnu::noinline]] void copyByMemcpy(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to,
                                    ptrdiff_t toStep, size_t n, int32_t height) {
    for (int32_t i = 0; i < height; ++i)
        std::memcpy(to + i * toStep, from + i * fromStep, n);
}

VORBLET_AVX2 void copyRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                           int32_t width, int32_t height) {
    const size_t n = static_cast<size_t>(width) * 3;
    // A row goes in pieces of 32 or 16 bytes, the last of which may overlap the one before it.
    if (n > 256 || n < 16) {
        copyByMemcpy(from, fromStep, to, toStep, n, height);
    } else if (n >= 32) {
        for (int32_t i = 0; i < height; ++i) {
            const uint8_t* f = from + i * fromStep;
            uint8_t* t = to + i * toStep;
            for (size_t k = 0; k + 32 < n; k += 32)
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + k),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(f + k)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(t + n - 32),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(f + n - 32)));
        }
    } else {
        for (int32_t i = 0; i < height; ++i) {
            const uint8_t* f = from + i * fromStep;
            uint8_t* t = to + i * toStep;
            const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f));
            const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + n - 16));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(t), head);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(t + n - 16), tail);
        }
    }
}

VORBLET_AVX2 void keyedRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                            int32_t width, int32_t height) {
    eachGroup(KeyedStep{}, from, fromStep, to, toStep, width, height);
}

// The ball's case, eight pixels wide: each pair of source lines and its white test are made once,
// and then each place costs only its own loads, selects and stores; a pair without white, like
// the ball's middle, is stored without reading the target at all.
VORBLET_AVX2 void keyedMany(const uint8_t* from, ptrdiff_t fromStep, uint8_t* const* to,
                            int32_t count, ptrdiff_t toStep, int32_t width, int32_t height) {
    if (width != 8 || height > kManyLines) {
        for (int32_t k = 0; k < count; ++k)
            keyedRows(from, fromStep, to[k], toStep, width, height);
        return;
    }
    const int32_t pairs = height / 2;
    Sixteen source[kManyLines / 2], white[kManyLines / 2];
    bool opaque[kManyLines / 2];
    for (int32_t p = 0; p < pairs; ++p) {
        const uint8_t* f = from + 2 * p * fromStep;
        source[p] = load16(f, f + fromStep);
        white[p] = whiteOf(source[p]);
        opaque[p] = _mm256_testz_si256(white[p].lo, white[p].lo) != 0 &&
                    _mm256_testz_si256(white[p].hi, white[p].hi) != 0;
    }
    const uint8_t* lastLine = from + (height - 1) * fromStep;
    for (int32_t k = 0; k < count; ++k) {
        uint8_t* t = to[k];
        for (int32_t p = 0; p < pairs; ++p, t += 2 * toStep) {
            if (opaque[p]) {
                store16(t, t + toStep, source[p]);
                continue;
            }
            const Sixteen d = load16(t, t + toStep);
            store16(t, t + toStep,
                    {_mm256_blendv_epi8(source[p].lo, d.lo, white[p].lo),
                     _mm256_blendv_epi8(source[p].hi, d.hi, white[p].hi)});
        }
        if (height % 2 == 1) KeyedStep{}.single(lastLine, t);
    }
}

VORBLET_AVX2 void blendRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
                            int32_t width, int32_t height, int32_t t) {
    eachGroup(BlendStep{weightsOf(t), t}, from, fromStep, to, toStep, width, height);
}

} // namespace

const BlitKernels avx2Kernels{copyRows, keyedRows, blendRows, keyedMany};

#endif

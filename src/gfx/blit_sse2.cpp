// The software blits with SSE2, which every x86-64 processor has. A row is taken eight pixels at
// a time: 24 bytes, read and written as exactly those bytes (16 and 8), so no load or store
// reaches past a row's last pixel; what is left of a row goes pixel by pixel.
#if defined(__x86_64__)
#include <emmintrin.h>

#include <cstring>

#include "gfx/blit_kernels.h"

namespace {

// Eight pixels: bytes 0 to 15 in lo, bytes 16 to 23 in the low half of hi.
struct Eight {
    __m128i lo;
    __m128i hi;
};

Eight load8(const uint8_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16))};
}

void store8(uint8_t* p, Eight v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v.lo);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p + 16), v.hi);
}

// 0xFF on the three bytes of every pure white pixel, 0 elsewhere. A pixel starts at bytes 0, 3,
// ... 21; the one at 15 straddles lo and hi.
Eight whiteOf(Eight v) {
    const __m128i all = _mm_set1_epi8(-1);
    const __m128i mlo = _mm_cmpeq_epi8(v.lo, all);
    const __m128i mhi = _mm_cmpeq_epi8(v.hi, all);
    // Byte k: bytes k, k + 1 and k + 2 are all 255.
    __m128i alo = _mm_and_si128(
        _mm_and_si128(mlo, _mm_or_si128(_mm_srli_si128(mlo, 1), _mm_slli_si128(mhi, 15))),
        _mm_or_si128(_mm_srli_si128(mlo, 2), _mm_slli_si128(mhi, 14)));
    __m128i ahi = _mm_and_si128(_mm_and_si128(mhi, _mm_srli_si128(mhi, 1)), _mm_srli_si128(mhi, 2));
    // Only where a pixel starts, then over its three bytes.
    alo = _mm_and_si128(alo, _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1));
    ahi = _mm_and_si128(ahi, _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    const __m128i klo =
        _mm_or_si128(alo, _mm_or_si128(_mm_slli_si128(alo, 1), _mm_slli_si128(alo, 2)));
    const __m128i khi = _mm_or_si128(
        _mm_or_si128(ahi, _mm_or_si128(_mm_slli_si128(ahi, 1), _mm_slli_si128(ahi, 2))),
        _mm_or_si128(_mm_srli_si128(alo, 14), _mm_srli_si128(alo, 15)));
    return {klo, khi};
}

__m128i pick(__m128i white, __m128i keep, __m128i put) {
    return _mm_or_si128(_mm_and_si128(white, keep), _mm_andnot_si128(white, put));
}

// ((s t) >> 9) + ((d (512 - t)) >> 9) per byte: with s and d widened to 16 bits, each term is
// the high half of s x (t << 7), exact because t << 7 < 65536 for t < 512.
__m128i mixHalf(__m128i s, __m128i d, __m128i ts, __m128i td) {
    return _mm_add_epi16(_mm_mulhi_epu16(s, ts), _mm_mulhi_epu16(d, td));
}

__m128i mix(__m128i s, __m128i d, __m128i ts, __m128i td) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = mixHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), ts, td);
    const __m128i high = mixHalf(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), ts, td);
    return _mm_packus_epi16(low, high);
}

__m128i mixLow(__m128i s, __m128i d, __m128i ts, __m128i td) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = mixHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), ts, td);
    return _mm_packus_epi16(low, zero);
}

void copyRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep, int32_t width,
              int32_t height) {
    const size_t n = static_cast<size_t>(width) * 3;
    // A row goes in pieces of 16 bytes, the last of which may overlap the one before it.
    if (n > 256 || n < 16) {
        for (int32_t i = 0; i < height; ++i)
            std::memcpy(to + i * toStep, from + i * fromStep, n);
        return;
    }
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* f = from + i * fromStep;
        uint8_t* t = to + i * toStep;
        for (size_t k = 0; k + 16 < n; k += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(t + k),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + k)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t + n - 16),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(f + n - 16)));
    }
}

void keyedRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
               int32_t width, int32_t height) {
    const int32_t eights = width / 8, rest = width % 8;
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* f = from + i * fromStep;
        uint8_t* t = to + i * toStep;
        for (int32_t e = 0; e < eights; ++e, f += 24, t += 24) {
            const Eight s = load8(f), d = load8(t), white = whiteOf(s);
            store8(t, {pick(white.lo, d.lo, s.lo), pick(white.hi, d.hi, s.hi)});
        }
        keyedPixels(f, t, rest);
    }
}

// The ball's case, eight pixels wide: each line of the image and its white test are made once.
void keyedMany(const uint8_t* from, ptrdiff_t fromStep, uint8_t* const* to, int32_t count,
               ptrdiff_t toStep, int32_t width, int32_t height) {
    if (width != 8 || height > kManyLines) {
        for (int32_t k = 0; k < count; ++k)
            keyedRows(from, fromStep, to[k], toStep, width, height);
        return;
    }
    Eight source[kManyLines], white[kManyLines];
    for (int32_t i = 0; i < height; ++i) {
        source[i] = load8(from + i * fromStep);
        white[i] = whiteOf(source[i]);
    }
    for (int32_t k = 0; k < count; ++k) {
        uint8_t* t = to[k];
        for (int32_t i = 0; i < height; ++i, t += toStep) {
            const Eight d = load8(t);
            store8(t,
                   {pick(white[i].lo, d.lo, source[i].lo), pick(white[i].hi, d.hi, source[i].hi)});
        }
    }
}

void blendRows(const uint8_t* from, ptrdiff_t fromStep, uint8_t* to, ptrdiff_t toStep,
               int32_t width, int32_t height, int32_t t) {
    const __m128i ts = _mm_set1_epi16(static_cast<int16_t>(t << 7));
    const __m128i td = _mm_set1_epi16(static_cast<int16_t>((512 - t) << 7));
    const int32_t eights = width / 8, rest = width % 8;
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* f = from + i * fromStep;
        uint8_t* o = to + i * toStep;
        for (int32_t e = 0; e < eights; ++e, f += 24, o += 24) {
            const Eight s = load8(f), d = load8(o), white = whiteOf(s);
            store8(o, {pick(white.lo, d.lo, mix(s.lo, d.lo, ts, td)),
                       pick(white.hi, d.hi, mixLow(s.hi, d.hi, ts, td))});
        }
        blendPixels(f, o, rest, t);
    }
}

} // namespace

const BlitKernels sse2Kernels{copyRows, keyedRows, blendRows, keyedMany};

#endif

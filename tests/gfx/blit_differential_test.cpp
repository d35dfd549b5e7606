// The blitter clips once and runs row loops, on every path the processor has (scalar, SSE2,
// AVX2); this checks each path against the plain definition, which visits every pixel of the
// rectangle and tests it against both surfaces.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gfx/blit.h"
#include "gfx/blit_kernels.h"
#include "gfx/surface_util.h"

namespace {

struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint8_t> rows; // bottom-up, 3 bytes a pixel

    uint8_t* atRow(int64_t row, int64_t x) {
        return &rows[static_cast<size_t>((row * width + x) * 3)];
    }
    bool insideRow(int64_t row, int64_t x) const {
        return x >= 0 && x < width && row >= 0 && row < height;
    }
};

void putPixel(const uint8_t* from, uint8_t* to, int32_t mode, int32_t t) {
    if (mode != copy && from[0] + from[1] + from[2] >= 765) return;
    for (int k = 0; k < 3; ++k) {
        if (mode == blend)
            to[k] = static_cast<uint8_t>(((from[k] * t) >> 9) + ((to[k] * (512 - t)) >> 9));
        else
            to[k] = from[k];
    }
}

void referenceBlit(Picture& s, int32_t mode, const BlitRect& sr, Picture& d, const BlitRect& dr,
                   float weight) {
    const int32_t t = static_cast<int32_t>(weight * 512);
    if (mode < 0 || mode > 2) return;
    if (sr.height == dr.height && sr.width == dr.width) {
        for (int32_t i = 0; i < sr.height; ++i) {
            for (int32_t j = 0; j < sr.width; ++j) {
                const int32_t sRow = s.height - (sr.top + i) - 1, sx = sr.left + j;
                const int32_t dRow = d.height - (dr.top + i) - 1, dx = dr.left + j;
                if (!s.insideRow(sRow, sx) || !d.insideRow(dRow, dx)) continue;
                putPixel(s.atRow(sRow, sx), d.atRow(dRow, dx), mode, t);
            }
        }
        return;
    }
    // Different sizes: keyed draws the keyed nearest-neighbour stretch, copy and blend the same
    // sampling without key or weight.
    if (dr.height <= 0 || dr.width <= 0) return;
    const int32_t stepX = static_cast<int32_t>(static_cast<double>(sr.width) / dr.width * 256.0);
    const int32_t stepY = static_cast<int32_t>(static_cast<double>(sr.height) / dr.height * 256.0);
    int64_t v = 0;
    for (int32_t i = 0; i < dr.height; ++i) {
        int64_t u = 0;
        for (int32_t j = 0; j < dr.width; ++j) {
            const int64_t sx = sr.left + (u >> 8);
            const int64_t sRow = (s.height - sr.top - 1) + (v >> 8);
            const int32_t dRow = d.height - (dr.top + i) - 1, dx = dr.left + j;
            if (s.insideRow(sRow, sx) && d.insideRow(dRow, dx))
                putPixel(s.atRow(sRow, sx), d.atRow(dRow, dx), mode == keyed ? keyed : copy, t);
            u += stepX;
        }
        v -= stepY;
    }
}

std::string pathName(const testing::TestParamInfo<BlitPath>& info) {
    switch (info.param) {
    case BlitPath::sse2:
        return "Sse2";
    case BlitPath::avx2:
        return "Avx2";
    default:
        return "Scalar";
    }
}

// Holds the blitter to the test's path, and gives the path it found back afterwards.
class OnPath : public testing::TestWithParam<BlitPath> {
  protected:
    void SetUp() override {
        before_ = currentBlitPath();
        if (useBlitPath(GetParam()) != 1) GTEST_SKIP() << "this processor lacks the path";
    }
    void TearDown() override { useBlitPath(before_); }

  private:
    BlitPath before_ = BlitPath::scalar;
};

class Randomised : public OnPath {
  protected:
    std::mt19937 random{20240607};
    int32_t between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    }

    // Mostly small rectangles near the surfaces, now and then a far or a huge one.
    int16_t position() {
        switch (between(0, 19)) {
        case 0:
            return static_cast<int16_t>(between(-32768, 32767));
        case 1:
            return -32768;
        default:
            return static_cast<int16_t>(between(-40, 50));
        }
    }
    int16_t extent() {
        switch (between(0, 29)) {
        case 0:
            return static_cast<int16_t>(between(-32768, 32767));
        case 1:
            return 32767;
        case 2:
            return static_cast<int16_t>(between(-5, 0));
        default:
            return static_cast<int16_t>(between(1, 48));
        }
    }
    BlitRect rect() { return {position(), position(), extent(), extent()}; }
    // Up to 40 pixels, now and then up to 80 so that rows hold several groups of the vector
    // paths and a rest.
    int32_t side() { return between(0, 4) == 0 ? between(41, 80) : between(1, 40); }
    // Mostly 0 to 1, the weights the game blends with; now and then beyond, where the factor
    // leaves 0 .. 512.
    float weight() {
        if (between(0, 19) == 0) return static_cast<float>(between(-2000, 3000)) / 1000.0f;
        return static_cast<float>(between(0, 1000)) / 1000.0f;
    }

    // White, near misses of white (any one or two bytes below 255, at every place of a pixel
    // and so at every place of a vector), and any colour.
    void fillRandom(Picture& p) {
        for (size_t i = 0; i < p.rows.size(); i += 3) {
            const int32_t kind = between(0, 9);
            for (size_t k = 0; k < 3; ++k)
                p.rows[i + k] =
                    kind < 3   ? 255
                    : kind < 6 ? static_cast<uint8_t>(between(0, 1) == 0 ? 255 : between(0, 254))
                               : static_cast<uint8_t>(between(0, 255));
        }
    }

    void run(int32_t mode, bool sameSize, int rounds) {
        for (int round = 0; round < rounds; ++round) {
            Picture s{side(), side(), {}};
            Picture d{side(), side(), {}};
            s.rows.resize(static_cast<size_t>(s.width) * s.height * 3);
            d.rows.resize(static_cast<size_t>(d.width) * d.height * 3);
            fillRandom(s);
            fillRandom(d);
            BlitRect from = rect(), to = rect();
            if (sameSize) {
                to.height = from.height;
                to.width = from.width;
            } else if (from.height == to.height && from.width == to.width) {
                to.width = static_cast<int16_t>(to.width + 1);
            }
            // Keep the reference's visit of every pixel of a huge rectangle affordable.
            if (int64_t{to.height} * to.width > 200000) to.height = 3;
            if (sameSize && int64_t{from.height} * from.width > 200000) from.height = to.height = 3;
            const float weight = this->weight();

            QUORINImage source, target;
            makeSurface(source, s.width, s.height);
            makeSurface(target, d.width, d.height);
            std::memcpy(source.pixels, s.rows.data(), s.rows.size());
            std::memcpy(target.pixels, d.rows.data(), d.rows.size());

            referenceBlit(s, mode, from, d, to, weight);
            blit(source, mode, from, target, to, weight);
            ASSERT_EQ(0, std::memcmp(target.pixels, d.rows.data(), d.rows.size()))
                << "round " << round << " mode " << mode << " from " << from.top << "," << from.left
                << " " << from.height << "x" << from.width << " of " << s.width << "x" << s.height
                << " to " << to.top << "," << to.left << " " << to.height << "x" << to.width
                << " of " << d.width << "x" << d.height << " weight " << weight;
            ASSERT_EQ(0, std::memcmp(source.pixels, s.rows.data(), s.rows.size()));
        }
    }

    // Source and target are one surface: keyed and blend visit the pixels in order, reading
    // what earlier pixels of the same blit wrote; a copy moves the block as if through a
    // temporary, like the platform's copy.
    void runWithin(int32_t mode, int rounds) {
        for (int round = 0; round < rounds; ++round) {
            Picture p{side(), side(), {}};
            p.rows.resize(static_cast<size_t>(p.width) * p.height * 3);
            fillRandom(p);
            const BlitRect from = rect();
            BlitRect to = rect();
            to.height = from.height;
            to.width = from.width;
            if (int64_t{to.height} * to.width > 200000) to.height = 3;
            const BlitRect source{from.top, from.left, to.height, to.width};
            const float weight = this->weight();

            QUORINImage surface;
            makeSurface(surface, p.width, p.height);
            std::memcpy(surface.pixels, p.rows.data(), p.rows.size());

            if (mode == copy) {
                Picture before = p;
                referenceBlit(before, mode, source, p, to, weight);
            } else {
                referenceBlit(p, mode, source, p, to, weight);
            }
            blit(surface, mode, source, surface, to, weight);
            ASSERT_EQ(0, std::memcmp(surface.pixels, p.rows.data(), p.rows.size()))
                << "round " << round << " mode " << mode << " from " << source.top << ","
                << source.left << " to " << to.top << "," << to.left << " " << to.height << "x"
                << to.width << " of " << p.width << "x" << p.height << " weight " << weight;
        }
    }
};

TEST_P(Randomised, CopyMatchesThePixelByPixelDefinition) {
    run(copy, true, 3000);
}
TEST_P(Randomised, KeyedMatchesThePixelByPixelDefinition) {
    run(keyed, true, 3000);
}
TEST_P(Randomised, BlendMatchesThePixelByPixelDefinition) {
    run(blend, true, 3000);
}
TEST_P(Randomised, KeyedStretchMatchesThePixelByPixelDefinition) {
    run(keyed, false, 3000);
}
TEST_P(Randomised, CopyStretchMatchesTheNearestSampling) {
    run(copy, false, 1500);
}
TEST_P(Randomised, BlendStretchMatchesTheNearestSampling) {
    run(blend, false, 1500);
}
TEST_P(Randomised, BlitsWithinOneSurfaceMatchTheDefinition) {
    for (int32_t mode : {copy, keyed, blend})
        runWithin(mode, 1500);
}

// One image drawn at many places, in order, as the frame's balls are: the same as one keyed blit
// after another, also where places overlap (the later wins), reach outside the target (those are
// clipped on their own between the others) or exceed the 64 gathered at once. Widths around the
// 8-pixel fast path, heights around its 16 lines, lines with and without white, and the source's
// rectangle now and then outside.
TEST_P(Randomised, KeyedManyMatchesOneBlitAfterAnother) {
    for (int round = 0; round < 400; ++round) {
        const int32_t width = between(0, 2) == 0 ? between(1, 20) : 8;
        const int32_t height = between(0, 3) == 0 ? between(1, 20) : between(1, 8);
        Picture s{between(width, width + 12), between(height, height + 12), {}};
        Picture d{between(24, 70), between(24, 70), {}};
        s.rows.resize(static_cast<size_t>(s.width) * s.height * 3);
        d.rows.resize(static_cast<size_t>(d.width) * d.height * 3);
        fillRandom(s);
        fillRandom(d);
        // Lines without white, as the ball's middle lines are, now and then.
        for (int32_t row = 0; row < s.height; ++row)
            if (between(0, 2) == 0)
                for (int32_t x = 0; x < s.width; ++x)
                    s.atRow(row, x)[0] = static_cast<uint8_t>(between(0, 254));
        BlitRect from{static_cast<int16_t>(between(0, s.height - height)),
                      static_cast<int16_t>(between(0, s.width - width)),
                      static_cast<int16_t>(height), static_cast<int16_t>(width)};
        if (between(0, 19) == 0) from.left = static_cast<int16_t>(from.left - 3);
        std::vector<BlitRect> places(static_cast<size_t>(between(1, 150)));
        std::vector<const BlitRect*> rects;
        for (BlitRect& place : places) {
            const bool outside = between(0, 9) == 0;
            place = {static_cast<int16_t>(outside ? between(-height, d.height)
                                                  : between(0, d.height - height)),
                     static_cast<int16_t>(outside ? between(-width, d.width)
                                                  : between(0, d.width - width)),
                     from.height, from.width};
            if (between(0, 29) == 0) place.width = static_cast<int16_t>(place.width + 1);
            rects.push_back(&place);
        }
        QUORINImage source, target;
        makeSurface(source, s.width, s.height);
        makeSurface(target, d.width, d.height);
        std::memcpy(source.pixels, s.rows.data(), s.rows.size());
        std::memcpy(target.pixels, d.rows.data(), d.rows.size());
        for (const BlitRect& place : places)
            referenceBlit(s, keyed, from, d, place, 1.0f);
        blitKeyedMany(source, from, target, rects.data(), static_cast<int32_t>(rects.size()));
        ASSERT_EQ(0, std::memcmp(target.pixels, d.rows.data(), d.rows.size()))
            << "round " << round << " image " << from.top << "," << from.left << " " << from.height
            << "x" << from.width << " at " << places.size() << " places";
    }
}

// The game's rectangles at a surface's last bytes: the rectangle's top line is the buffer's last
// row, and its right edge the row's end, so a vector load or store past the rectangle would leave
// the buffer (the sanitizer stops it). Every width from 1 to 40 and heights 1 to 3, each mode.
TEST_P(Randomised, RectanglesEndingAtTheBufferEndStayInside) {
    for (int32_t mode : {copy, keyed, blend}) {
        for (int32_t width = 1; width <= 40; ++width) {
            for (int32_t height = 1; height <= 3; ++height) {
                Picture s{width, height, {}}, d{width + 3, height, {}};
                s.rows.resize(static_cast<size_t>(s.width) * s.height * 3);
                d.rows.resize(static_cast<size_t>(d.width) * d.height * 3);
                fillRandom(s);
                fillRandom(d);
                QUORINImage source, target;
                makeSurface(source, s.width, s.height);
                makeSurface(target, d.width, d.height);
                std::memcpy(source.pixels, s.rows.data(), s.rows.size());
                std::memcpy(target.pixels, d.rows.data(), d.rows.size());
                const BlitRect from{0, 0, static_cast<int16_t>(height),
                                    static_cast<int16_t>(width)};
                const BlitRect to{0, 3, from.height, from.width};
                referenceBlit(s, mode, from, d, to, 0.3f);
                blit(source, mode, from, target, to, 0.3f);
                ASSERT_EQ(0, std::memcmp(target.pixels, d.rows.data(), d.rows.size()))
                    << "mode " << mode << " " << width << "x" << height;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, Randomised,
                         testing::Values(BlitPath::scalar, BlitPath::sse2, BlitPath::avx2),
                         pathName);

// Every factor a weight from 0 to 1 gives (0 to 512: the fades' steps of 0.05 and the logo's 0.1
// among them) on every pair of source and target bytes: each path gives exactly the scalar
// definition, the two products truncated on their own.
class EveryBlendFactor : public OnPath {};

TEST_P(EveryBlendFactor, GivesTheDefinitionOnEveryPairOfBytes) {
    // Byte k of the source is k mod 256 and of the target k / 256, so the first 65536 bytes hold
    // every pair; no three bytes in a row are all 255, so no source pixel is the key.
    constexpr int32_t kWidth = 256, kHeight = 86;
    constexpr size_t kBytes = size_t{kWidth} * kHeight * 3;
    QUORINImage source, target;
    makeSurface(source, kWidth, kHeight);
    makeSurface(target, kWidth, kHeight);
    std::vector<uint8_t> before(kBytes), want(kBytes);
    for (size_t k = 0; k < kBytes; ++k) {
        source.pixels[k] = static_cast<uint8_t>(k);
        before[k] = static_cast<uint8_t>(k >> 8);
    }
    const BlitRect whole{0, 0, kHeight, kWidth};
    for (int32_t t = 0; t <= 512; ++t) {
        for (size_t k = 0; k < kBytes; ++k)
            want[k] = static_cast<uint8_t>(((source.pixels[k] * t) >> 9) +
                                           ((before[k] * (512 - t)) >> 9));
        std::memcpy(target.pixels, before.data(), kBytes);
        blit(source, blend, whole, target, whole, static_cast<float>(t) / 512.0f);
        ASSERT_EQ(0, std::memcmp(target.pixels, want.data(), kBytes)) << "t " << t;
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, EveryBlendFactor,
                         testing::Values(BlitPath::scalar, BlitPath::sse2, BlitPath::avx2),
                         pathName);

} // namespace

// The blitter clips once and runs row loops; this checks it against the plain definition, which
// visits every pixel of the rectangle and tests it against both surfaces.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "gfx/blit.h"
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

class Randomised : public testing::Test {
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

    void fillRandom(Picture& p) {
        for (size_t i = 0; i < p.rows.size(); i += 3) {
            const int32_t kind = between(0, 9);
            for (size_t k = 0; k < 3; ++k)
                p.rows[i + k] = kind < 3   ? 255
                                : kind < 4 ? static_cast<uint8_t>(k == 2 ? 254 : 255)
                                           : static_cast<uint8_t>(between(0, 255));
        }
    }

    void run(int32_t mode, bool sameSize, int rounds) {
        for (int round = 0; round < rounds; ++round) {
            Picture s{between(1, 40), between(1, 40), {}};
            Picture d{between(1, 40), between(1, 40), {}};
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
            const float weight = static_cast<float>(between(0, 1000)) / 1000.0f;

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
};

TEST_F(Randomised, CopyMatchesThePixelByPixelDefinition) {
    run(copy, true, 3000);
}
TEST_F(Randomised, KeyedMatchesThePixelByPixelDefinition) {
    run(keyed, true, 3000);
}
TEST_F(Randomised, BlendMatchesThePixelByPixelDefinition) {
    run(blend, true, 3000);
}
TEST_F(Randomised, KeyedStretchMatchesThePixelByPixelDefinition) {
    run(keyed, false, 3000);
}
TEST_F(Randomised, CopyStretchMatchesTheNearestSampling) {
    run(copy, false, 1500);
}
TEST_F(Randomised, BlendStretchMatchesTheNearestSampling) {
    run(blend, false, 1500);
}

} // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "assets/checksum.h"
#include "assets/checksum_tuner.h"

namespace {

using assets::bitmapChecksum;

// A fixed pseudo-random byte pattern, so the fixtures look like drawn pixels, not zeros.
std::vector<uint8_t> noiseBytes(size_t count, uint32_t seed, int limit = 250) {
    std::vector<uint8_t> bytes(count);
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<uint8_t>((seed >> 24) % static_cast<uint32_t>(limit + 1));
    }
    return bytes;
}

TEST(BitmapChecksum, SumsTheFirstCoveredBytesAsAPolynomial) {
    std::vector<uint8_t> bytes{1, 2, 3, 4, 5};
    EXPECT_EQ(bitmapChecksum(bytes.data(), 4, 3), 58u);
    // With multiplier 256 the sum is the last four covered bytes, the earliest most significant.
    std::vector<uint8_t> wide{9, 9, 0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(bitmapChecksum(wide.data(), wide.size(), 256), 0x12345678u);
}

TEST(ChecksumTuner, RunOfDigitsReachesEveryKindOfTarget) {
    const uint32_t targets[] = {0u,          1u,          0xFFFFFFFFu, 0x30CDD974u, 0xB3FE902Fu,
                                0x771AF63Du, 0x4A23272Fu, 0x4ED4F458u, 0x80000000u, 12345u};
    ASSERT_EQ(assets::runLengthFor(3), 21u);
    for (uint32_t target : targets) {
        std::vector<uint8_t> original = noiseBytes(3000, target);
        std::vector<uint8_t> bytes = original;
        const size_t covered = 1000, runStart = 500;
        ASSERT_TRUE(assets::tuneRun(bytes, covered, 3, target, runStart)) << target;
        EXPECT_EQ(bitmapChecksum(bytes.data(), covered, 3), target);
        for (size_t i = 0; i < bytes.size(); ++i) {
            int change = bytes[i] - original[i];
            if (i >= runStart && i < runStart + 21)
                EXPECT_TRUE(change >= 0 && change <= 2) << i;
            else
                EXPECT_EQ(change, 0) << i;
        }
    }
}

TEST(ChecksumTuner, RunRefusesWhatItCannotDo) {
    std::vector<uint8_t> bytes = noiseBytes(100, 7);
    std::vector<uint8_t> original = bytes;
    EXPECT_FALSE(assets::tuneRun(bytes, 100, 4, 1234, 0));  // even: no inverse
    EXPECT_FALSE(assets::tuneRun(bytes, 100, 3, 1234, 90)); // the run would pass the covered end
    bytes[10] = 254;                                        // 254 + 2 would overflow
    EXPECT_FALSE(assets::tuneRun(bytes, 100, 3, 1234, 0));
    bytes[10] = original[10];
    EXPECT_EQ(bytes, original);
}

TEST(ChecksumTuner, SubsetMeetsInTheMiddleWithSteps0Or1) {
    const uint32_t targets[] = {0xF1C998AAu, 0x59D3E647u, 0u, 0xDEADBEEFu};
    for (uint32_t multiplier : {99u, 3u}) {
        for (uint32_t target : targets) {
            std::vector<uint8_t> original = noiseBytes(5000, target ^ multiplier);
            std::vector<uint8_t> bytes = original;
            std::vector<size_t> positions;
            for (size_t i = 0; i < 40; ++i)
                positions.push_back(100 + i * 97);
            ASSERT_TRUE(assets::tuneSubset(bytes, 4500, multiplier, target, positions))
                << multiplier << " " << target;
            EXPECT_EQ(bitmapChecksum(bytes.data(), 4500, multiplier), target);
            for (size_t i = 0; i < bytes.size(); ++i) {
                int change = bytes[i] - original[i];
                bool listed = i >= 100 && (i - 100) % 97 == 0 && (i - 100) / 97 < 40;
                if (listed)
                    EXPECT_TRUE(change == 0 || change == 1) << i;
                else
                    EXPECT_EQ(change, 0) << i;
            }
        }
    }
}

// A canvas whose lower half is a dark picture and whose upper half is the white key.
assets::Canvas halfDarkCanvas() {
    assets::Canvas canvas(64, 48);
    for (int y = 24; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            canvas.set(x, y,
                       {static_cast<uint8_t>(20 + x), static_cast<uint8_t>(30 + y),
                        static_cast<uint8_t>(x ^ y)});
    return canvas;
}

TEST(ChecksumTuner, CanvasTuningStaysInsideTheAreaAndOffTheKey) {
    for (uint32_t multiplier : {3u, 99u}) {
        assets::Canvas canvas = halfDarkCanvas();
        const assets::Canvas before = canvas;
        assets::TuneArea area{8, 30, 48, 18};
        ASSERT_TRUE(assets::tuneChecksum(canvas, multiplier, 0x12345678u, area));
        size_t covered = 64 * 48;
        EXPECT_EQ(bitmapChecksum(canvas.pixels.data(), covered, multiplier), 0x12345678u);
        int changed = 0;
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x) {
                if (canvas.get(x, y) == before.get(x, y)) continue;
                ++changed;
                EXPECT_TRUE(x >= 8 && x < 56 && y >= 30) << x << "," << y;
                EXPECT_NE(canvas.get(x, y), assets::keyWhite);
            }
        EXPECT_GT(changed, 0);
    }
}

TEST(ChecksumTuner, CanvasWithNoUsablePixelsIsLeftAlone) {
    assets::Canvas canvas = halfDarkCanvas();
    const assets::Canvas before = canvas;
    // Only white pixels in the area: nothing may be touched.
    EXPECT_FALSE(assets::tuneChecksum(canvas, 3, 0x12345678u, {0, 0, 64, 24}));
    EXPECT_FALSE(assets::tuneChecksum(canvas, 99, 0x12345678u, {0, 0, 64, 24}));
    // An even multiplier has no inverse modulo 2^32.
    EXPECT_FALSE(assets::tuneChecksum(canvas, 4, 0x12345678u, {0, 24, 64, 24}));
    EXPECT_EQ(canvas.pixels, before.pixels);
}

} // namespace

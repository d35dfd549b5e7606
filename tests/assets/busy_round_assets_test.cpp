// What keeps a busy round clean and the pictures readable: effects soft, symmetric and over
// before their fastest restart, a danger cue that small speakers carry, and pictures whose
// details read at 1x (font look-alikes, block strengths, the face's outline).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <tuple>

#include "asset_files.h"

namespace {

using assettest::Bitmap;

Wave load(int number) {
    return readWave(std::string(VORBLET_GAME_DIR) + "/wav/" + std::to_string(number) + ".wav");
}

Bitmap picture(const std::string& name) {
    return assettest::readBitmap(std::string(VORBLET_GAME_DIR) + "/BMP/" + name + ".bmp");
}

double dbfs(double level) {
    return 20 * std::log10(level / 32768);
}

double rms(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v)
        sum += x * x;
    return std::sqrt(sum / static_cast<double>(v.size()));
}

struct Effect {
    int number;
    double silentBySeconds; // the game restarts it no sooner than this
};

void PrintTo(const Effect& e, std::ostream* out) {
    *out << e.number;
}

class EveryEffect : public testing::TestWithParam<Effect> {};

TEST_P(EveryEffect, PeaksNearMinus10DbfsAsFarDownAsUpAndIsOverBeforeItsRestart) {
    Wave w = load(GetParam().number);
    ASSERT_EQ(w.error, "");
    auto [low, high] = std::minmax_element(w.samples.begin(), w.samples.end());
    EXPECT_NEAR(dbfs(std::max(*high, static_cast<int16_t>(-*low))), -10, 1);
    EXPECT_NEAR(dbfs(*high), dbfs(-*low), 2) << "a lopsided wave piles up with the music";
    size_t last = 0;
    for (size_t i = 0; i < w.samples.size(); ++i)
        if (std::abs(w.samples[i]) > 100) last = i;
    EXPECT_LE(static_cast<double>(last + 1) / w.rate, GetParam().silentBySeconds);
}

INSTANTIATE_TEST_SUITE_P(Clips, EveryEffect,
                         testing::Values(Effect{140, 0.11}, Effect{141, 0.5}, Effect{142, 0.06},
                                         Effect{143, 0.5}),
                         [](const testing::TestParamInfo<Effect>& info) {
                             return "wav" + std::to_string(info.param.number);
                         });

TEST(Sounds, TheFieldSinkingKeepsItsLevelThroughASmallSpeakersHighPass) {
    Wave w = load(143);
    ASSERT_EQ(w.error, "");
    // A second-order Butterworth high-pass at 200 Hz, as a laptop speaker roughly is.
    const double k = std::tan(std::numbers::pi * 200 / w.rate), q = std::sqrt(0.5);
    const double norm = 1 / (1 + k / q + k * k);
    const double b0 = norm, b1 = -2 * norm, b2 = norm;
    const double a1 = 2 * (k * k - 1) * norm, a2 = (1 - k / q + k * k) * norm;
    std::vector<double> full, high;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (int16_t s : w.samples) {
        double y = b0 * s + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = s, y2 = y1, y1 = y;
        full.push_back(s);
        high.push_back(y);
    }
    EXPECT_GT(20 * std::log10(rms(high) / rms(full)), -3);
}

TEST(Sounds, MusicIsSynthesisedAtTheMixersRate) {
    for (int number : {128, 129, 130, 131, 132}) {
        Wave w = load(number);
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.rate, 44100u) << number;
    }
}

double luminance(const Pixel& p) {
    auto linear = [](uint8_t c) {
        double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(p.red) + 0.7152 * linear(p.green) + 0.0722 * linear(p.blue);
}

// The light face of a style-0 glyph, as a set of pixel positions in its cell.
std::set<int> face(const Bitmap& font, char c) {
    int left = c >= 'A' ? (c - 'A') * 16 : (c - '0') * 16, top = c >= 'A' ? 0 : 32;
    std::set<int> lit;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (!font.isWhite(left + x, top + y) && luminance(font.at(left + x, top + y)) > 0.4)
                lit.insert(y * 16 + x);
    return lit;
}

TEST(FontSheet, LookAlikePairsDifferInManyPixelsAndTheColonHasTwoDots) {
    Bitmap font = picture("128");
    ASSERT_EQ(font.error, "");
    for (auto [a, b] : {std::pair{'N', 'H'}, {'M', 'N'}, {'O', 'D'}, {'O', '0'}, {'8', 'B'}}) {
        std::set<int> fa = face(font, a), fb = face(font, b), both;
        std::set_symmetric_difference(fa.begin(), fa.end(), fb.begin(), fb.end(),
                                      std::inserter(both, both.begin()));
        EXPECT_GE(both.size(), 16u) << a << "/" << b;
    }
    // Two dots: the colon's face splits into an upper and a lower part with clear rows between.
    std::set<int> colon = face(font, ':');
    std::set<int> rows;
    for (int at : colon)
        rows.insert(at / 16);
    ASSERT_FALSE(rows.empty());
    int gaps = 0;
    for (int y = *rows.begin(); y < *rows.rbegin(); ++y)
        gaps += rows.count(y) ? 0 : 1;
    EXPECT_GE(gaps, 2);
}

TEST(BackdropSheet, PanelSeamsFallOnTheBlockGrid) {
    Bitmap backdrop = picture("130");
    ASSERT_EQ(backdrop.error, "");
    // Block cells start at x = 32 c - 16: a seam, the darkest column, ends a cell at 15 mod 32.
    for (int x = 0; x < 128; ++x) {
        int dark = 0;
        for (int y = 0; y < 128; ++y)
            dark += luminance(backdrop.at(x, y)) < 0.005 ? 1 : 0;
        EXPECT_EQ(dark > 96, x % 32 == 15) << x;
    }
}

TEST(BlockSheet, StrengthsDifferInBrightnessAndCarryAMarkEvenAtTheFlashPeak) {
    Bitmap blocks = picture("132");
    ASSERT_EQ(blocks.error, "");
    auto meanLuminance = [&](int left, int top) {
        double sum = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                sum += luminance(blocks.at(left + x, top + y));
        return sum / 512;
    };
    for (auto [rowOffset, frame, least] : {std::tuple{0, 0, 1.3}, {80, 2, 1.1}}) {
        for (int v = 2; v < 6; ++v) {
            double a = meanLuminance(32 * frame, 16 * v + rowOffset);
            double b = meanLuminance(32 * frame, 16 * (v + 1) + rowOffset);
            EXPECT_GT((a + 0.05) / (b + 0.05), least) << v << " frame row " << rowOffset;
        }
    }
    // The mark: v - 1 dark studs on the lower band, in the steady frame and at the flash peak.
    for (int v = 2; v <= 6; ++v)
        for (int top : {16 * v, 16 * v + 80}) {
            int left = top == 16 * v ? 0 : 64, studs = 0;
            Pixel around = blocks.at(left + 2, top + 12);
            for (int x = 1; x < 31; ++x) {
                bool dark = luminance(blocks.at(left + x, top + 12)) < luminance(around) * 0.5;
                bool before =
                    luminance(blocks.at(left + x - 1, top + 12)) < luminance(around) * 0.5;
                studs += dark && !before ? 1 : 0;
            }
            EXPECT_EQ(studs, v - 1) << "value " << v << " row " << top;
        }
}

TEST(FaceSheet, HairNeverMeetsTheWhiteBackgroundWithoutAnOutline) {
    Bitmap face = picture("QUORINFACE");
    ASSERT_EQ(face.error, "");
    const Pixel hair{38, 70, 124}, highlight{112, 133, 168};
    int bare = 0;
    for (int y = 1; y < 80; ++y)
        for (int x = 1; x < face.width - 1; ++x) {
            Pixel p = face.at(x, y);
            if (!(p == hair || p == highlight)) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    bare += face.isWhite(x + dx, y + dy) ? 1 : 0;
        }
    EXPECT_EQ(bare, 0);
}

TEST(LogoSheet, TheFirstImageIsADarkerTwinOfTheSecond) {
    Bitmap logo = picture("QUORINLOGO");
    ASSERT_EQ(logo.error, "");
    int pixels = 0;
    for (int y = 0; y < 178; ++y)
        for (int x = 0; x < 480; ++x) {
            Pixel a = logo.at(x, y), b = logo.at(x, 178 + y);
            if (a.isWhite() || b.isWhite()) continue;
            ++pixels;
            EXPECT_LT(luminance(a), luminance(b)) << x << "," << y;
            // The same colour, only darker: each channel scaled alike, to rounding.
            for (auto [ca, cb] : {std::pair{a.red, b.red}, {a.green, b.green}, {a.blue, b.blue}})
                EXPECT_NEAR(ca, cb * 0.45, 2.5) << x << "," << y;
            if (HasFailure()) return;
        }
    EXPECT_GT(pixels, 5000);
}

} // namespace

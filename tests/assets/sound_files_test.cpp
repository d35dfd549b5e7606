// The generated sounds: valid files, no clipping, short effects and clean loop seams.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "asset_files.h"

namespace {

Wave load(int number) {
    return readWave(std::string(VORBLET_GAME_DIR) + "/wav/" + std::to_string(number) + ".wav");
}

int peak(const Wave& w) {
    int p = 0;
    for (int16_t s : w.samples)
        p = std::max(p, std::abs(static_cast<int>(s)));
    return p;
}

double mean(const Wave& w) {
    double sum = 0;
    for (int16_t s : w.samples)
        sum += s;
    return sum / static_cast<double>(w.samples.size());
}

const double minusOneDbfs = 32768 * std::pow(10.0, -1.0 / 20); // about 29204

struct Expected {
    int number;
    double minSeconds, maxSeconds;
    bool loops;
};

void PrintTo(const Expected& e, std::ostream* out) {
    *out << e.number;
}

class EverySound : public testing::TestWithParam<Expected> {};

TEST_P(EverySound, IsAValidClipOfTheRightLengthWithHeadroomAndNoDc) {
    const Expected& e = GetParam();
    Wave w = load(e.number);
    ASSERT_EQ(w.error, "") << e.number;
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100);
    EXPECT_GE(w.seconds(), e.minSeconds);
    EXPECT_LE(w.seconds(), e.maxSeconds);
    EXPECT_LT(peak(w), minusOneDbfs);
    EXPECT_GT(peak(w), 3000) << "silent";
    EXPECT_LT(std::abs(mean(w)), 327) << "DC offset above 1 %";
}

TEST_P(EverySound, EndsAtSilenceOrJoinsItsOwnStart) {
    const Expected& e = GetParam();
    Wave w = load(e.number);
    ASSERT_EQ(w.error, "");
    ASSERT_GT(w.samples.size(), 2u);
    // A jump of more than a few hundredths of full scale at the seam is an audible click.
    int first = w.samples.front(), last = w.samples.back();
    if (e.loops) {
        EXPECT_LT(std::abs(last - first), 600) << e.number;
        EXPECT_LT(std::abs(first), 600);
    } else {
        EXPECT_LT(std::abs(last), 100) << e.number;
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, EverySound,
                         testing::Values(Expected{128, 1, 3, false}, Expected{129, 8, 16, true},
                                         Expected{130, 8, 16, true}, Expected{131, 2, 4, false},
                                         Expected{132, 8, 16, true},
                                         Expected{140, 0.02, 0.5, false},
                                         Expected{141, 0.02, 0.5, false},
                                         Expected{142, 0.02, 0.5, false},
                                         Expected{143, 0.02, 0.5, false}),
                         [](const testing::TestParamInfo<Expected>& info) {
                             return "wav" + std::to_string(info.param.number);
                         });

TEST(Sounds, TheDangerLoopIsBusierThanTheCalmOne) {
    // More note onsets per second: count upward crossings of a loudness envelope.
    auto onsetsPerSecond = [](const Wave& w) {
        const size_t window = w.rate / 100;
        int onsets = 0;
        double previous = 0;
        for (size_t at = 0; at + window <= w.samples.size(); at += window) {
            double energy = 0;
            for (size_t i = at; i < at + window; ++i)
                energy += std::abs(w.samples[i]);
            energy /= static_cast<double>(window);
            if (energy > previous * 1.5 && energy > 1500) ++onsets;
            previous = energy;
        }
        return onsets / w.seconds();
    };
    Wave calm = load(129), danger = load(130);
    ASSERT_EQ(calm.error, "");
    ASSERT_EQ(danger.error, "");
    EXPECT_GT(onsetsPerSecond(danger), onsetsPerSecond(calm));
}

} // namespace

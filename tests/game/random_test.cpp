#include "game/random.h"

#include <gtest/gtest.h>

#include <array>

TEST(Random, StartsFromStateOneAndTakesBits16To30) {
    resetRandom();
    const std::array<int32_t, 10> expected{346,  130,   10982, 1090,  11656,
                                           7117, 17595, 6415,  22948, 31126};
    for (int32_t number : expected)
        EXPECT_EQ(nextRandom(), number);
}

TEST(Random, ResetRestartsTheSequence) {
    resetRandom();
    nextRandom();
    nextRandom();
    resetRandom();
    EXPECT_EQ(nextRandom(), 346);
}

TEST(Random, StaysWithinFifteenBitsOverALongRun) {
    resetRandom();
    int32_t highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int32_t number = nextRandom();
        ASSERT_GE(number, 0);
        highest = std::max(highest, number);
    }
    EXPECT_EQ(highest, 32767);
}

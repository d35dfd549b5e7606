#include "game/round_values.h"

#include <gtest/gtest.h>

namespace {

TEST(AddScoreTest, AddsAndStopsAtTheLargestScore) {
    struct Case {
        int32_t before, points, after;
    } cases[] = {
        {0, 50, 50},
        {30, 10, 40},
        {INT32_MAX - 50, 50, INT32_MAX},
        {INT32_MAX - 49, 50, INT32_MAX},
        {INT32_MAX, 10, INT32_MAX},
    };
    for (const Case& c : cases) {
        score = c.before;
        addScore(c.points);
        EXPECT_EQ(score, c.after) << c.before << " + " << c.points;
    }
    score = 0;
}

} // namespace

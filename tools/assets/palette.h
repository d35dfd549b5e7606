#pragma once
// The one palette every sheet draws from, so the game reads as one piece of work.
#include "canvas.h"

namespace assets::palette {

constexpr Rgb navy{16, 20, 48};
constexpr Rgb indigo{40, 32, 80};
constexpr Rgb steel{96, 104, 120};
constexpr Rgb ink{20, 18, 36};
constexpr Rgb fontLight{230, 230, 240};
constexpr Rgb goldTop{250, 200, 60};
constexpr Rgb goldBottom{220, 140, 20};
constexpr Rgb silverBlue{150, 172, 214};
constexpr Rgb nearWhite{250, 250, 250};

// Block colours by value, cool to hot: 2 teal, 3 green, 4 yellow, 5 orange, 6 crimson. Each is
// also darker than the one before (by a contrast of about 1.5 : 1 or more), so that strength
// reads by brightness alone, for players who do not tell these hues apart.
constexpr Rgb blockColour[7] = {{0, 0, 0},      {0, 0, 0},     {150, 238, 244}, {80, 200, 80},
                                {190, 140, 20}, {200, 80, 20}, {170, 30, 50}};
// Where value 6 would grow to if it could: a white-hot crimson.
constexpr Rgb hotterThanCrimson{250, 120, 110};

} // namespace assets::palette

#pragma once
// The variant a round plays. A round plays ULTRA as HYPER with a rate factor of 0, so the Parts
// below the round only ever see HYPER, SUPER, NORMAL and BENCH (and 0 from the game-over churn).
#include <cstdint>

using GameMode = int32_t;

constexpr GameMode QUIT = 0;
constexpr GameMode HYPER = 1;
constexpr GameMode SUPER = 2;
constexpr GameMode ULTRA = 3;
constexpr GameMode NORMAL = 4;
constexpr GameMode BENCH = 5;

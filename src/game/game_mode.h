#pragma once
// The variant a round plays; 0 means quit. A round plays ULTRA as HYPER with a rate factor of 0,
// so the field, the balls and the paddle only ever see HYPER, SUPER, NORMAL and BENCH (and 0 when
// the game-over sequence animates the field).
#include <cstdint>

using GameMode = int32_t;

constexpr GameMode QUIT = 0;
constexpr GameMode HYPER = 1;
constexpr GameMode SUPER = 2;
constexpr GameMode ULTRA = 3;
constexpr GameMode NORMAL = 4;
constexpr GameMode BENCH = 5;

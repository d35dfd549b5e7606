#pragma once
// The score of the round being played; it keeps the last round's score between rounds.
#include <cstdint>

extern int32_t score;

#pragma once
// The score of the round being played; it keeps the last round's score between rounds.
#include <cstdint>

extern int32_t score;

// Adds points to the score, stopping at the largest 32-bit value: a fast enough machine could
// otherwise carry BENCH's score past it.
inline void addScore(int32_t points) {
    score = score > INT32_MAX - points ? INT32_MAX : score + points;
}

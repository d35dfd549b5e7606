#pragma once
// The values that live for one round, kept as globals because the balls, the grid animation and
// the score panel all reach them; the round resets them together when it starts.
#include <cstdint>

// The score of the round being played; it keeps the last round's score between rounds.
extern int32_t score;
// Spawns toward the next big ball.
extern int32_t spawnCount;
// Step of the six-step flash cycle, 0 to 5; a new value is chosen when it is 0.
extern int32_t flashTick;
// The block value flashing in this cycle; 1 when none flashes.
extern int32_t flashValue;

// The values as a round starts: no score, no spawns, no flash.
void resetRoundValues();

// Adds points to the score, stopping at the largest 32-bit value: a fast enough machine could
// otherwise carry BENCH's score past it.
inline void addScore(int32_t points) {
    score = score > INT32_MAX - points ? INT32_MAX : score + points;
}

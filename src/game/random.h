#pragma once
// The game's one pseudo-random generator. Every run draws the same sequence, and the order of the
// draws is part of how the game plays, so nothing else may keep its own generator.
#include <cstdint>

// The next number of the sequence, 0 to 32767.
int32_t nextRandom();
// Puts the generator back to its program-start state (for tests; the game never reseeds).
void resetRandom();

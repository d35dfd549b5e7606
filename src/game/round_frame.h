#pragma once
// One frame of a round, in the order the round's counters and the window need.
#include "game/round.h"

// Plays one frame: tune, erase, spawn, move, grid, level, height, animation, draw, score,
// present, wait, Escape and the end count.
void playFrame(Round& round);

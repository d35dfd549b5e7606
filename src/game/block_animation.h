#pragma once
// One step of the grid's animation: walks every interior cell's picture toward its value
// (growing, shrinking, appearing, vanishing) and flashes the resting blocks of one value.
#include "game/game_mode.h"

#include <cstdint>

// Step of the six-step flash cycle, 0 to 5; a new value is chosen when it is 0.
extern int32_t flashTick;
// The block value flashing in this cycle; 1 when none flashes.
extern int32_t flashValue;

// Draws every changed cell onto fieldLayer and backBuffer. In BENCH vanishing blocks are silent.
void animateBlocks(GameMode mode);

#pragma once
// One step of the grid's animation: walks every interior cell's picture toward its value
// (growing, shrinking, appearing, vanishing) and flashes the resting blocks of one value.
#include "game/game_mode.h"
#include "game/round_values.h"

#include <cstdint>

// Which surfaces a step draws its cells onto.
enum class CellTargets : int32_t { fieldAndBackBuffer, fieldOnly };

// Draws every changed cell onto fieldLayer and, unless the caller lays the field over backBuffer
// afterwards anyway, onto backBuffer. In BENCH vanishing blocks are silent.
void animateBlocks(GameMode mode, CellTargets targets = CellTargets::fieldAndBackBuffer);

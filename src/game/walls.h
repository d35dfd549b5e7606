#pragma once
// The wall frame around the play area: drawn once per round onto bgLayer and marked in the grid.
#include "game/game_mode.h"

// Draws the wall frame onto bgLayer and marks the wall cells; BENCH closes the bottom gap.
void buildWalls(GameMode mode);

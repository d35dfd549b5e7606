#pragma once
// The tiled backdrop behind the title screen and the round.
#include "gfx/image.h"

// Paints a 640 x 460 layer with the backdrop tile, the emblem tile in the bottom-right corner,
// then copies bgLayer's play area onto fieldLayer (whatever layer was painted).
void tileBackdrop(QUORINImage& layer);

#pragma once
// The cross-fade from what the window shows to one of the layers.
#include <cstdint>

// Cross-fades the window over 20 frames from what it shows to the surface at `index` of the
// surface table, then shows that surface at full strength. Index 7 (fieldLayer) stands for the
// round's picture: bgLayer's panel beside fieldLayer's play area. Afterwards backBuffer holds
// the new picture and snapshot the old one. An index outside the table draws nothing.
void fadeInLayer(int32_t index);

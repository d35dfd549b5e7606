#pragma once
// The surfaces of the whole run. Other code refers to the table by position (8 and 9 stay empty)
// and to each surface by name.
#include "gfx/image.h"

constexpr int kSurfaceTableSize = 10;
extern QUORINImage surfaceTable[kSurfaceTableSize];

inline QUORINImage& fontSheet = surfaceTable[0];
inline QUORINImage& titleSheet = surfaceTable[1];
inline QUORINImage& backdropSheet = surfaceTable[2];
inline QUORINImage& spriteSheet = surfaceTable[3];
inline QUORINImage& blockSheet = surfaceTable[4];
inline QUORINImage& backBuffer = surfaceTable[5];
inline QUORINImage& bgLayer = surfaceTable[6];
inline QUORINImage& fieldLayer = surfaceTable[7];

// An off-screen copy of the window for transitions.
extern QUORINImage snapshot;
// Bound to the window.
extern QUORINImage screen;

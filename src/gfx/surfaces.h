#pragma once
// The surfaces of the whole run. Other code refers to the table by position (8 and 9 stay empty)
// and to each surface by name.
#include "gfx/blit_rect.h"
#include "gfx/image.h"
#include "platform/platform.h"

constexpr int kSurfaceTableSize = 10;
extern QUORINImage surfaceTable[kSurfaceTableSize];

inline QUORINImage& fontSheet = surfaceTable[0];
inline QUORINImage& titleSheet = surfaceTable[1];
inline QUORINImage& backdropSheet = surfaceTable[2];
inline QUORINImage& spriteSheet = surfaceTable[3];
inline QUORINImage& blockSheet = surfaceTable[4];
inline QUORINImage& backBuffer = surfaceTable[5];
constexpr int kBgLayerIndex = 6;    // the backdrop, walls and labels: the title's layer
constexpr int kFieldLayerIndex = 7; // the play area with its blocks: the round's layer
inline QUORINImage& bgLayer = surfaceTable[kBgLayerIndex];
inline QUORINImage& fieldLayer = surfaceTable[kFieldLayerIndex];

// The window is the play area on the left and the panel on the right.
constexpr int16_t kPlayAreaWidth = 480;
constexpr BlitRect kWholeWindow{0, 0, platform::kWindowHeight, platform::kWindowWidth};
constexpr BlitRect kPlayArea{0, 0, platform::kWindowHeight, kPlayAreaWidth};
constexpr BlitRect kPanel{0, kPlayAreaWidth, platform::kWindowHeight,
                          platform::kWindowWidth - kPlayAreaWidth};

// An off-screen copy of the window for transitions.
extern QUORINImage snapshot;
// Bound to the window.
extern QUORINImage screen;

#include "gfx/surfaces.h"

QUORINImage surfaceTable[kSurfaceTableSize];
QUORINImage snapshot;
QUORINImage screen;

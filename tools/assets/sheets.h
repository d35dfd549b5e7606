#pragma once
// Every bitmap the game loads, each drawn by its own file.
#include "canvas.h"

namespace assets {

Canvas drawFontSheet();     // "128"
Canvas drawTitleSheet();    // "129"
Canvas drawBackdropSheet(); // "130"
Canvas drawSpriteSheet();   // "131"
Canvas drawBlockSheet();    // "132"
Canvas drawFaceSheet();     // "QUORINFACE"
Canvas drawLogoSheet();     // "QUORINLOGO"

} // namespace assets

#pragma once
// The game's desktop icon: a corner of the play field (blocks, a ball, the paddle) on the
// backdrop's navy, drawn afresh at each size rather than scaled, so small icons stay crisp.
#include "canvas.h"

namespace assets {

// The icon at size x size pixels; the white key outside its rounded square is transparent.
Canvas drawIcon(int size);

} // namespace assets

#pragma once
// The title screen, which returns the variant the player chose, or 0 to quit.

#include "game/game_mode.h"

// Shows the title picture with its tunes until the player starts a round or quits. The result
// is the variant chosen by the modifier keys held at the start (Shift BENCH, Tab with Control
// ULTRA, Tab SUPER, Control HYPER, none NORMAL), or 0 after Escape with no modifier held. A
// start with the left mouse button alone hands the paddle to the mouse (mouseControl 1).
GameMode runTitleScreen();

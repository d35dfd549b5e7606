#pragma once
// The controls as the main thread last saw them, for the game thread to read without locks.
#include <SDL.h>

namespace platform::sdl {

// Main thread: takes a new snapshot. Keys, mouse buttons and the joystick count only while the
// window has the input focus, so that what the player does in another program never reaches the
// game; the cursor is followed wherever it is.
void refreshInput(SDL_Window* window, bool focused);
void closeJoystick();

} // namespace platform::sdl

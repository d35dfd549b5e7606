#pragma once
// The controls as the main thread last saw them, for the game thread to read without locks.
#include "platform/controls.h"

#include <SDL.h>

#include <cstdint>

namespace platform::sdl {

// Main thread: takes a new snapshot. Keys, mouse buttons and the joystick count only while the
// window has the input focus, so that what the player does in another program never reaches the
// game; the cursor is followed wherever it is.
// The cursor is given in game pixels: picture is where the picture's left edge lies in the
// window's coordinates and how many of them make one game pixel.
struct PicturePlace {
    double left = 0;
    double scale = 1;
};
void refreshInput(SDL_Window* window, bool focused, const PicturePlace& picture);
void closeJoystick();
// Main thread: the input a key press (by its keycode) or a controller's button names, if any.
bool inputOfKey(SDL_Keycode keycode, Input& input);
bool inputOfPadButton(uint8_t button, Input& input);

// Game thread: the snapshot, as the seam's readers give it.
bool isKeyDown(int virtualKey);
int readJoystick(uint32_t& x, uint32_t& buttons);
int32_t cursorClientX();

} // namespace platform::sdl

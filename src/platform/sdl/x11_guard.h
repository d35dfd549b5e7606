#pragma once
// Xlib's own answer to a window destroyed by another program, or to a display that went away, is
// to print a line and exit() on the main thread while the game thread still draws and plays; the
// global objects are then destroyed under it. This guard takes both cases over on X11.
#include <SDL.h>

namespace platform::sdl {

struct X11Guard {
    // Called on the main thread when the display connection is lost. It ends the process itself:
    // if it returned, Xlib would exit() at once.
    void (*displayLost)();
};

// Installs the guard for this window; does nothing when the window is not on X11.
void guardX11(SDL_Window* window, const X11Guard& guard);
// True once the window has been destroyed by someone else: nothing may be done with it any more.
bool windowDestroyedElsewhere();
// Looks at one event for the end of the window; call it for every event of the pump.
void watchX11Event(const SDL_Event& event);

} // namespace platform::sdl

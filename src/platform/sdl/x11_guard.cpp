#include "platform/sdl/x11_guard.h"

#include <atomic>
#include <cstdlib>

#if defined(VORBLET_X11)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace platform::sdl {

namespace {
std::atomic<bool> destroyed{false};
}

bool windowDestroyedElsewhere() {
    return destroyed.load();
}

#if defined(VORBLET_X11)

namespace {

Window ourWindow = 0;
X11Guard installed{};

// A request that names our window after it is gone fails with an error event; that is how a
// destruction shows when its DestroyNotify has not been read yet. Every other error is not fatal
// to the game and is let pass instead of ending the process.
int onXError(Display*, XErrorEvent* error) {
    if (ourWindow != 0 && error->resourceid == ourWindow &&
        (error->error_code == BadWindow || error->error_code == BadDrawable))
        destroyed.store(true);
    return 0;
}

int onXConnectionLost(Display*) {
    destroyed.store(true);
    installed.displayLost();
    std::_Exit(1);
}

} // namespace

void guardX11(SDL_Window* window, const X11Guard& guard) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    ourWindow = info.info.x11.window;
    installed = guard;
    XSetErrorHandler(onXError);
    XSetIOErrorHandler(onXConnectionLost);
    // SDL passes the raw events on only when asked; DestroyNotify is among them.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void watchX11Event(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_X11) return;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type == DestroyNotify && x.xdestroywindow.window == ourWindow) destroyed.store(true);
}

#else

void guardX11(SDL_Window*, const X11Guard&) {}
void watchX11Event(const SDL_Event&) {}

#endif

} // namespace platform::sdl

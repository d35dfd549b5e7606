#include "platform/backend.h"
#include "platform/sdl/audio.h"
#include "platform/sdl/input.h"
#include "platform/sdl/window.h"

#include <SDL.h>

namespace platform::sdl {

// The window needs no start-up before the entry function runs it, keeps no trace and takes no
// shots; time is the real clock.
const BackendTable backend{
    .start = [](Backend, const HeadlessOptions&) { return 0; },
    .addShot = [](uint32_t, const char*) {},
    .isKeyDown = isKeyDown,
    .readJoystick = readJoystick,
    .cursorClientX = cursorClientX,
    .buttonsPolled = [] {},
    .tickCount = [] { return uint32_t(SDL_GetTicks()); },
    .sleepMs = [](uint32_t ms) { SDL_Delay(ms); },
    .showMessageBox = showMessageBox,
    .writeWindow = writeWindow,
    .readWindow = readWindow,
    .runWindow = runWindow,
    .postQuit = postQuit,
    .sendDestroy = sendDestroy,
    .waitGameThread = waitGameThread,
    .finish = [](int) {},
    .audioOpen = audioOpen,
    .audioPlay = audioPlay,
    .audioStop = audioStop,
    .audioIsPlaying = audioIsPlaying,
    .audioClose = audioClose,
    .traceSound = [](const char*, int, int) {},
};

} // namespace platform::sdl

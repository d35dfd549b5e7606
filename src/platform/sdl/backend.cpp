#include "platform/backend.h"
#include "platform/sdl/audio.h"
#include "platform/sdl/clock.h"
#include "platform/sdl/input.h"
#include "platform/sdl/window.h"
#include "platform/system/file_replace.h"
#include "platform/system/regular_file.h"

namespace platform::sdl {

// The window needs no start-up before the entry function runs it, keeps no trace and takes no
// shots; time is the real clock less the pauses.
const BackendTable backend{
    .start = [](Backend, const HeadlessOptions&) { return 0; },
    .addShot = [](uint32_t, const char*) {},
    .isKeyDown = isKeyDown,
    .readJoystick = readJoystick,
    .cursorClientX = cursorClientX,
    .buttonsPolled = [] {},
    .tickCount = gameTicks,
    .sleepMs = gameSleep,
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
    .openDataFile = openRegularFile,
    .replaceDataFile = replaceFile,
    .sessionMs = sessionTicks,
    .advanceSession = gameSleepUntil,
    .closeWindow = closeWindow,
};

} // namespace platform::sdl

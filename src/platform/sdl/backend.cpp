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
    .window =
        {
            .runWindow = runWindow,
            .postQuit = postQuit,
            .sendDestroy = sendDestroy,
            .waitGameThread = waitGameThread,
            .showMessageBox = showMessageBox,
            .writeWindow = writeWindow,
            .readWindow = readWindow,
            .tickCount = gameTicks,
            .sleepMs = gameSleep,
        },
    .input = {.isKeyDown = isKeyDown, .readJoystick = readJoystick, .cursorClientX = cursorClientX},
    .audio =
        {
            .open = audioOpen,
            .play = audioPlay,
            .stop = audioStop,
            .isPlaying = audioIsPlaying,
            .close = audioClose,
        },
    .files = {.openDataFile = openRegularFile, .replaceDataFile = replaceFile},
    .session = {.sessionMs = sessionTicks,
                .advanceSession = gameSleepUntil,
                .closeWindow = closeWindow},
};

} // namespace platform::sdl

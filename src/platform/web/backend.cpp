// The web backend's table: the window is a canvas on a page, the sound WebAudio, and the game's
// sleeps hand the page back to the browser (Asyncify) so that it keeps drawing and listening.
#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/game_sleep.h"
#include "platform/system/file_replace.h"
#include "platform/system/regular_file.h"
#include "platform/system/version.h"
#include "platform/web/audio.h"
#include "platform/web/page.h"
#include "platform/window_picture.h"

#include <emscripten.h>

#include <cstdio>
#include <vector>

namespace platform::web {

namespace {

std::vector<uint8_t> picture = blankPicture();
WindowHandlers handlers;
uint32_t lastYield = 0;

// Loops that never sleep (the benchmark's round, a wait for a key's release) still hand the page
// back to the browser now and then, so that it draws and hears the keys they wait for.
void yieldNow() {
    if (vorbletGameTicks() - lastYield < 10) return;
    emscripten_sleep(0);
    lastYield = vorbletGameTicks();
}

// The page's names for the inputs: a key's e.code, a mouse button, a button of the standard
// gamepad. The page has no joystick of its own, only gamepads.
struct InputName {
    Input input;
    const char* name;
};
constexpr InputName kInputNames[] = {
    {Input::space, "Space"},
    {Input::escape, "Escape"},
    {Input::left, "ArrowLeft"},
    {Input::right, "ArrowRight"},
    {Input::leftShift, "ShiftLeft"},
    {Input::rightShift, "ShiftRight"},
    {Input::tab, "Tab"},
    {Input::leftControl, "ControlLeft"},
    {Input::rightControl, "ControlRight"},
    {Input::p, "KeyP"},
    {Input::m, "KeyM"},
    {Input::f11, "F11"},
    {Input::enter, "Enter"},
    {Input::leftButton, "Mouse0"},
    {Input::rightButton, "Mouse2"},
    {Input::padA, "Pad0"},
    {Input::padB, "Pad1"},
    {Input::padBack, "Pad8"},
    {Input::padStart, "Pad9"},
};

// The page's listeners must not call into the game while it sleeps (Asyncify), so they get the
// table once, before the game starts, and look the inputs up themselves.
void bindControls() {
    for (const Control& control : controls())
        for (const InputName& row : kInputNames)
            if (row.input == control.input)
                vorbletBindControl(row.name, int(control.action), control.virtualKey,
                                   control.alt ? 1 : 0);
}

bool isKeyDown(int virtualKey) {
    // A gamepad's buttons may hold game keys; reading the pad brings them up to date.
    uint32_t x = 0, buttons = 0;
    vorbletReadGamepad(&x, &buttons);
    return vorbletKeyDown(virtualKey) != 0;
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    return vorbletReadGamepad(&x, &buttons);
}

// The page's clock, which the page's pause holds; every wait hands the page back to the browser.
struct PageClock {
    bool stopped() const { return false; }
    bool paused() const { return vorbletPaused() != 0; }
    void waitWhilePaused() { emscripten_sleep(50); }
    uint32_t now() const { return vorbletGameTicks(); }
    void sleepFor(uint32_t ms) { emscripten_sleep(ms); }
};

void sleepMs(uint32_t ms) {
    PageClock clock;
    sleepUntilGameTime(clock, vorbletGameTicks() + ms);
    lastYield = vorbletGameTicks();
}

void showMessageBox(const char* title, const char* text) {
    std::fprintf(stderr, "vorblet: %s: %s\n", title, text);
    vorbletShowBox(title, text);
    while (vorbletBoxOpen() != 0)
        emscripten_sleep(50);
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    copyIntoPicture(picture, left, top, width, height, firstLine, lineStep);
    vorbletPictureChanged();
    yieldNow();
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    copyOutOfPicture(picture, left, top, width, height, firstLine, lineStep);
}

// The game runs inside the window's creation (see thread.cpp) and has ended when it returns.
int runWindow(const WindowHandlers& windowHandlers) {
    handlers = windowHandlers;
    bindControls();
    vorbletPageStart(picture.data(), kCaption);
    handlers.created();
    return 0;
}

// The page's folder lives in memory: what stays is the copy the page keeps in IndexedDB.
int replaceScores(const char* path, const void* bytes, size_t size) {
    const int written = replaceFile(path, bytes, size);
    if (written == 1) vorbletKeepScores(path);
    return written;
}

} // namespace

const BackendTable backend{
    .window = {
        .runWindow = runWindow,
        .postQuit = doNothing,
        // The game's own end, on the one thread there is.
        .sendDestroy = [] { handlers.destroyed(); },
        .waitGameThread = doNothing,
        .showMessageBox = showMessageBox,
        .writeWindow = writeWindow,
        .readWindow = readWindow,
        .tickCount = [] { return vorbletGameTicks(); },
        .sleepMs = sleepMs,
    },
    .input =
        {
            .isKeyDown = isKeyDown,
            .readJoystick = readJoystick,
            .cursorClientX = [] { return vorbletCursorX(); },
            .buttonsPolled = yieldNow,
        },
    .audio =
        {
            .open = audioOpen,
            .play = audioPlay,
            .stop = audioStop,
            .isPlaying = audioIsPlaying,
            .close = audioClose,
        },
    .files = {.openDataFile = openRegularFile, .replaceDataFile = replaceScores},
    // The page records nothing (it takes no options), but keeps the table whole.
    .session = {
        .finish = [](int exitCode) { vorbletShowEnded(exitCode); },
        .sessionMs = [] { return uint32_t(emscripten_get_now()); },
        .advanceSession =
            [](uint32_t ms) {
                while (int32_t(ms - uint32_t(emscripten_get_now())) > 0)
                    emscripten_sleep(1);
            },
        .closeWindow = [] { handlers.destroyed(); },
    },
};

} // namespace platform::web

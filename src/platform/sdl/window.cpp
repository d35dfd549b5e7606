#include "platform/sdl/window.h"

#include "platform/sdl/audio.h"
#include "platform/sdl/clock.h"
#include "platform/sdl/input.h"
#include "platform/sdl/x11_guard.h"
#include "platform/system/game_files.h"
#include "platform/system/quit_signals.h"
#include "platform/system/regular_file.h"
#include "platform/system/settings.h"
#include "platform/system/thread.h"
#include "platform/system/version.h"
#include "platform/test_hooks.h"
#include "platform/window_picture.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace platform::sdl {

namespace {

// How long the game may take to end after the player closed the window (it reaches its next
// flag test within a frame, or after the start-up logo or a fade) before the process ends anyway.
constexpr Uint32 kCloseGraceMs = 5000;

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
Uint32 wakeEvent = 0;

// The window picture: the game thread writes it, the main thread shows it. A frame that arrives
// before the last one was shown replaces it, so a fast game never queues frames.
std::mutex pictureLock;
std::vector<uint8_t> picture = blankPicture();
std::atomic<bool> pictureDirty{true};

// Requests from the game thread that only the main thread may carry out. Once the main thread
// has stopped serving them (the program is ending, or the display is gone) a request is
// answered at once: nobody is left to carry it out, and a wait would never end.
std::mutex requestLock;
std::condition_variable requestDone;
bool serving = true;
bool boxPending = false;
std::string boxTitle, boxText;
uint64_t destroyRequested = 0, destroyHandled = 0;

WindowHandlers handlers;
bool quit = false;
bool destroying = false;
bool displayGone = false;
Uint32 closedAt = 0;

// The player's choices: what the settings file said, then what they changed. A pause made with P
// lasts until P; one made by the loss of the focus lasts until the focus comes back.
Settings settings;
bool pausedByKey = false;
bool focusLost = false;

bool windowUsable() {
    return !windowDestroyedElsewhere();
}

void wakeMainThread() {
    SDL_Event event{};
    event.type = wakeEvent;
    SDL_PushEvent(&event);
}

void stopServing() {
    std::lock_guard guard(requestLock);
    serving = false;
    requestDone.notify_all();
}

// The picture's whole-number scale and left edge in the renderer's output pixels, as the
// renderer places it: the largest scale that fits, centred, the rest black.
// outputWidth is the renderer's width, 0 when it cannot tell.
int outputScale(int& left, int& outputWidth) {
    int outputHeight = 0;
    outputWidth = 0;
    SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
    const int width = outputWidth > 0 ? outputWidth : kWindowWidth;
    const int height = outputHeight > 0 ? outputHeight : kWindowHeight;
    const int scale = std::max(1, std::min(width / kWindowWidth, height / kWindowHeight));
    left = (width - kWindowWidth * scale) / 2;
    return scale;
}

PicturePlace picturePlace() {
    int outputWidth = 0, windowWidth = 0, windowHeight = 0, left = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    const int scale = outputScale(left, outputWidth);
    // Window coordinates and output pixels differ on a high-density display.
    const double ratio = outputWidth > 0 ? double(windowWidth) / outputWidth : 1.0;
    return {left * ratio, scale * ratio};
}

// While paused, the last picture dimmed, with the two bars of a pause mark in its middle.
void drawPauseMark() {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 150);
    SDL_RenderFillRect(renderer, nullptr);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    const int x = kWindowWidth / 2, y = kWindowHeight / 2;
    const SDL_Rect shadows[] = {{x - 26, y - 34, 24, 72}, {x + 2, y - 34, 24, 72}};
    const SDL_Rect bars[] = {{x - 22, y - 30, 16, 64}, {x + 6, y - 30, 16, 64}};
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderFillRects(renderer, shadows, 2);
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    SDL_RenderFillRects(renderer, bars, 2);
}

void showPicture() {
    if (!windowUsable() || !pictureDirty.exchange(false)) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
        // Widened to the 32-bit pixels of the window's own format, which both renderers copy
        // and scale without a conversion of their own.
        std::lock_guard guard(pictureLock);
        const uint8_t* in = picture.data();
        for (int y = 0; y < kWindowHeight; ++y) {
            auto* out =
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + ptrdiff_t(y) * pitch);
            for (int x = 0; x < kWindowWidth; ++x, in += 3)
                out[x] = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16;
        }
        SDL_UnlockTexture(texture);
    }
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    if (paused()) drawPauseMark();
    SDL_RenderPresent(renderer);
}

void updatePause() {
    const bool pause = !destroying && (pausedByKey || focusLost);
    if (pause == paused()) return;
    setPaused(pause);
    pauseAudio(pause);
    pictureDirty = true;
}

void toggleFullscreen() {
    settings.fullscreen = !settings.fullscreen;
    SDL_SetWindowFullscreen(window, settings.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    saveSettings(settings);
    pictureDirty = true;
}

void toggleMute() {
    settings.muted = !settings.muted;
    muteAudio(settings.muted);
    saveSettings(settings);
}

// The scale of a window the player resized, remembered for the next start; a fullscreen window
// says nothing about the size the player wants.
void rememberScale() {
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
    int left = 0, width = 0;
    const int scale = std::min(outputScale(left, width), kMaxScale);
    if (scale == settings.scale) return;
    settings.scale = scale;
    saveSettings(settings);
}

// The player's own keys; the game's keys are read as held, in the input snapshot.
void carryOut(Action action) {
    if (action == Action::fullscreen)
        toggleFullscreen();
    else if (action == Action::pause)
        pausedByKey = !pausedByKey;
    else if (action == Action::mute)
        toggleMute();
}

void handleKey(const SDL_KeyboardEvent& key) {
    Input input{};
    if (key.repeat != 0 || !inputOfKey(key.keysym.sym, input)) return;
    carryOut(actionOfPress(input, (key.keysym.mod & KMOD_ALT) != 0));
}

// A pad's buttons are heard in the background too, where they must do nothing.
void handlePadButton(const SDL_ControllerButtonEvent& event) {
    Input input{};
    const bool focused =
        windowUsable() && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
    if (focused && inputOfPadButton(event.button, input)) carryOut(actionOfPress(input, false));
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
        pictureDirty = true;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        pictureDirty = true;
        break;
    case SDL_WINDOWEVENT_RESIZED: // by the player or the window manager, not by the game itself
        rememberScale();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focusLost = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        focusLost = false;
        break;
    }
}

// The window's icon, drawn by the asset maker beside the sheets; without it the window simply has
// none.
void setIcon() {
    std::FILE* file = openRegularFile(gameFilePath("BMP/icon.bmp").c_str());
    if (file == nullptr) return;
    SDL_Surface* icon = SDL_LoadBMP_RW(SDL_RWFromFP(file, SDL_TRUE), 1);
    if (icon == nullptr) return;
    SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 255, 255, 255));
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// The largest whole scale at which the window and its frame fit on the display with room to
// spare, at least 1.
int fittingScale() {
    SDL_Rect usable{0, 0, kWindowWidth, kWindowHeight};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    return std::max(1, std::min((usable.w - 64) / kWindowWidth, (usable.h - 96) / kWindowHeight));
}

void serveBox(bool canShow) {
    std::unique_lock guard(requestLock);
    if (!boxPending) return;
    std::string title = boxTitle, text = boxText;
    guard.unlock();
    // No owner window: on Windows such a box outlives a closed game window. Without a display
    // the player can still read the message on the terminal.
    if (!canShow ||
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) != 0)
        std::fprintf(stderr, "vorblet: %s: %s\n", title.c_str(), text.c_str());
    guard.lock();
    boxPending = false;
    requestDone.notify_all();
}

void serveDestroy() {
    std::unique_lock guard(requestLock);
    if (destroyHandled >= destroyRequested) return;
    uint64_t serial = destroyRequested;
    guard.unlock();
    handlers.destroyed();
    guard.lock();
    destroyHandled = serial;
    requestDone.notify_all();
}

// The player's close, a quit signal or the window's destruction by another program: the window
// goes at once and the game ends behind it. While the program is already shutting down, further
// close requests have nothing left to act on.
void close() {
    if (destroying) return;
    destroying = true;
    closedAt = SDL_GetTicks();
    releasePauses();
    pauseAudio(false);
    if (windowUsable()) SDL_HideWindow(window);
    handlers.destroyed();
}

// One turn of the main thread: events, input snapshot, the game thread's requests, the picture.
void pumpOnce(bool serveDestroys) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, 4)) {
        do {
            watchX11Event(event);
            if (event.type == SDL_WINDOWEVENT) handleWindowEvent(event.window);
            if (event.type == SDL_KEYDOWN) handleKey(event.key);
            if (event.type == SDL_CONTROLLERBUTTONDOWN) handlePadButton(event.cbutton);
            if (event.type == SDL_QUIT ||
                (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE))
                close();
        } while (!quit && SDL_PollEvent(&event));
    }
    if (!windowUsable() && !destroying) {
        std::fprintf(stderr, "vorblet: the window was destroyed by another program; ending the "
                             "game\n");
        close();
    }
    if (quitSignalled()) close();
    updatePause();
    bool focused = windowUsable() && (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
    refreshInput(window, focused, picturePlace());
    serveBox(windowUsable());
    if (serveDestroys) serveDestroy();
    showPicture();
}

// Stands behind the game thread once the display is gone: no SDL call may touch it any more.
void waitWithoutDisplay(Uint32 deadline) {
    while (!thread::hasEnded() && int32_t(deadline - SDL_GetTicks()) > 0) {
        serveBox(false);
        SDL_Delay(5);
    }
}

[[noreturn]] void giveUp() {
    std::fprintf(stderr,
                 "vorblet: the game did not end within %u seconds of the close; quitting "
                 "without saving the scores\n",
                 unsigned(kCloseGraceMs / 1000));
    std::fflush(nullptr);
    std::_Exit(1);
}

// Xlib calls this from inside whatever it was doing when the connection broke, and exits if it
// returns. The game still ends as after a close, its scores saved, and then the process ends
// without running the global destructors, which would talk to the display that is gone.
void onDisplayLost() {
    std::fprintf(stderr, "vorblet: lost the connection to the display; ending the game\n");
    displayGone = true;
    destroying = true;
    closedAt = SDL_GetTicks();
    handlers.destroyed(); // claims the shutdown and waits, unless the game had claimed it first
    stopServing();
    waitWithoutDisplay(closedAt + kCloseGraceMs);
    if (!thread::hasEnded()) giveUp();
    thread::join();
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace

void showMessageBox(const char* title, const char* text) {
    std::unique_lock guard(requestLock);
    if (!serving) return;
    boxTitle = title;
    boxText = text;
    boxPending = true;
    wakeMainThread();
    requestDone.wait(guard, [] { return !boxPending || !serving; });
    boxPending = false;
}

void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep) {
    {
        std::lock_guard guard(pictureLock);
        copyIntoPicture(picture, left, top, width, height, firstLine, lineStep);
    }
    pictureDirty = true;
}

void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep) {
    std::lock_guard guard(pictureLock);
    copyOutOfPicture(picture, left, top, width, height, firstLine, lineStep);
}

int runWindow(const WindowHandlers& windowHandlers) {
    handlers = windowHandlers;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0"); // crisp pixels when scaled for the display
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1"); // ours end a game that hangs, SDL's do not
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr,
                     "vorblet: cannot open a window (%s).\n"
                     "Is there a display? To run without one, use --headless (see the README).\n",
                     SDL_GetError());
        return 1;
    }
    // Without a display SDL falls back to drivers that draw nowhere; a player would see nothing.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && asked == nullptr &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        std::fprintf(stderr, "vorblet: cannot open a window (no display found).\n"
                             "To run without one, use --headless (see the README).\n");
        SDL_Quit();
        return 1;
    }
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK); // no joystick is fine
    settings = loadSettings();
    if (fullscreenChoice() != FullscreenChoice::saved)
        settings.fullscreen = fullscreenChoice() == FullscreenChoice::fullscreen;
    const int fits = fittingScale();
    const int scale = settings.scale > 0 ? std::min(settings.scale, fits) : fits;
    window = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              kWindowWidth * scale, kWindowHeight * scale,
                              SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE |
                                  (settings.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
    // Under X11 the picture goes through SDL's software renderer: a GL driver's own thread may
    // still be presenting when another program destroys the window, and crash there, where the
    // software renderer only meets an X error, which the guard turns into a close.
    const bool x11 = driver != nullptr && SDL_strcmp(driver, "x11") == 0;
    if (window != nullptr)
        renderer = SDL_CreateRenderer(window, -1, x11 ? SDL_RENDERER_SOFTWARE : 0);
    if (renderer == nullptr && window != nullptr)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer != nullptr) {
        SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);
        SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                    kWindowWidth, kWindowHeight);
    }
    if (texture == nullptr) {
        std::fprintf(stderr,
                     "vorblet: cannot open a window (%s).\n"
                     "Is there a display? To run without one, use --headless (see the README).\n",
                     SDL_GetError());
        SDL_Quit();
        return 1;
    }
    guardX11(window, {onDisplayLost});
    catchQuitSignals(kCloseGraceMs / 1000 + 2);
    wakeEvent = SDL_RegisterEvents(1);
    SDL_SetWindowMinimumSize(window, kWindowWidth, kWindowHeight);
    setIcon();
    muteAudio(settings.muted);
    refreshInput(window, false, picturePlace());
    handlers.created();
    SDL_ShowWindow(window);
    while (!quit)
        pumpOnce(true);
    // A destroy request the game thread makes from here on finds nobody to serve it; it is
    // answered at once, since the program is ending anyway.
    stopServing();
    thread::join();
    closeJoystick();
    if (windowUsable()) {
        SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
    }
    return 0;
}

void postQuit() {
    quit = true;
}

void sendDestroy() {
    if (testHookArmed("hold-destroy")) {
        // Holds this thread until the main thread has left its pump: the moment at which a
        // request that nobody serves would wait for ever.
        testHookReached("hold-destroy");
        std::unique_lock guard(requestLock);
        requestDone.wait_for(guard, std::chrono::seconds(30), [] { return !serving; });
    }
    std::unique_lock guard(requestLock);
    uint64_t serial = ++destroyRequested;
    wakeMainThread();
    requestDone.wait(guard, [&] { return destroyHandled >= serial || !serving; });
}

// Every close sets closedAt before it asks the game to end, so the grace counts from the close.
void waitGameThread() {
    const Uint32 deadline = closedAt + kCloseGraceMs;
    if (displayGone) waitWithoutDisplay(deadline);
    while (!thread::hasEnded()) {
        if (int32_t(deadline - SDL_GetTicks()) <= 0) giveUp();
        pumpOnce(false);
    }
    thread::join();
}

void closeWindow() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

} // namespace platform::sdl

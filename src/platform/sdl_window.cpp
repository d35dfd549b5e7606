#include "platform/backends.h"
#include "platform/window_picture.h"

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace platform::sdl {

namespace {

// SDL's input state may only be read on the thread that pumps events, so the main thread keeps
// this snapshot and the game thread reads it without locks.
struct InputSnapshot {
    std::atomic<bool> keys[0x28] = {};
    std::atomic<bool> joystickPresent{false};
    std::atomic<uint32_t> joystickX{32768};
    std::atomic<bool> joystickFire{false};
    std::atomic<int32_t> cursorX{0};
};
InputSnapshot input;

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
SDL_GameController* controller = nullptr;
SDL_Joystick* joystick = nullptr;
Uint32 wakeEvent = 0;

// The window picture: the game thread writes it, the main thread shows it. A frame that arrives
// before the last one was shown replaces it, so a fast game never queues frames.
std::mutex pictureLock;
std::vector<uint8_t> picture(size_t(kWindowWidth) * kWindowHeight * 3, 255);
std::atomic<bool> pictureDirty{true};

// Requests from the game thread that only the main thread may carry out.
std::mutex requestLock;
std::condition_variable requestDone;
bool boxPending = false;
std::string boxTitle, boxText;
uint64_t destroyRequested = 0, destroyHandled = 0;

WindowHandlers handlers;
bool quit = false;
bool destroying = false;

void wakeMainThread() {
    SDL_Event event{};
    event.type = wakeEvent;
    SDL_PushEvent(&event);
}

void openFirstJoystick() {
    if (controller != nullptr || joystick != nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i) && (controller = SDL_GameControllerOpen(i)) != nullptr) return;
        if ((joystick = SDL_JoystickOpen(i)) != nullptr) return;
    }
}

void closeJoystick() {
    if (controller != nullptr) SDL_GameControllerClose(controller);
    if (joystick != nullptr) SDL_JoystickClose(joystick);
    controller = nullptr;
    joystick = nullptr;
}

bool joystickAttached() {
    if (controller != nullptr) return SDL_GameControllerGetAttached(controller);
    return joystick != nullptr && SDL_JoystickGetAttached(joystick);
}

void refreshInput() {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    input.keys[VK_SPACE] = keys[SDL_SCANCODE_SPACE];
    input.keys[VK_ESCAPE] = keys[SDL_SCANCODE_ESCAPE];
    input.keys[VK_LEFT] = keys[SDL_SCANCODE_LEFT];
    input.keys[VK_RIGHT] = keys[SDL_SCANCODE_RIGHT];
    input.keys[VK_SHIFT] = keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT];
    input.keys[VK_TAB] = keys[SDL_SCANCODE_TAB];
    input.keys[VK_CONTROL] = keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL];

    // Global mouse state: buttons count wherever the cursor is, as the game expects.
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;
    Uint32 buttons = SDL_GetGlobalMouseState(&mouseX, &mouseY);
    SDL_GetWindowPosition(window, &windowX, &windowY);
    input.keys[VK_LBUTTON] = (buttons & SDL_BUTTON_LMASK) != 0;
    input.keys[VK_RBUTTON] = (buttons & SDL_BUTTON_RMASK) != 0;
    input.cursorX = mouseX - windowX;

    if (!joystickAttached()) {
        closeJoystick();
        openFirstJoystick();
    }
    if (controller != nullptr || joystick != nullptr) {
        int axis = controller != nullptr
                       ? SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX)
                       : SDL_JoystickGetAxis(joystick, 0);
        bool fire = controller != nullptr
                        ? SDL_GameControllerGetButton(controller, SDL_CONTROLLER_BUTTON_A)
                        : SDL_JoystickGetButton(joystick, 0);
        input.joystickX = uint32_t(axis + 32768); // SDL's -32768..32767 onto 0..65535
        input.joystickFire = fire;
        input.joystickPresent = true;
    } else {
        input.joystickPresent = false;
    }
}

void showPicture() {
    if (!pictureDirty.exchange(false)) return;
    {
        std::lock_guard guard(pictureLock);
        SDL_UpdateTexture(texture, nullptr, picture.data(), kWindowWidth * 3);
    }
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void serveBox() {
    std::unique_lock guard(requestLock);
    if (!boxPending) return;
    std::string title = boxTitle, text = boxText;
    guard.unlock();
    // No owner window: on Windows such a box outlives a closed game window.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
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

// One turn of the main thread: events, input snapshot, the game thread's requests, the picture.
// While the program is shutting down, further close requests have nothing left to act on.
void pumpOnce(bool serveDestroys) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, 4)) {
        do {
            bool closing = event.type == SDL_QUIT || (event.type == SDL_WINDOWEVENT &&
                                                      event.window.event == SDL_WINDOWEVENT_CLOSE);
            if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                                  event.window.event == SDL_WINDOWEVENT_SHOWN))
                pictureDirty = true;
            if (closing && !destroying) {
                destroying = true;
                // The user's close destroys the window at once; the game ends behind it.
                SDL_HideWindow(window);
                handlers.destroyed();
            }
        } while (!quit && SDL_PollEvent(&event));
    }
    refreshInput();
    serveBox();
    if (serveDestroys) serveDestroy();
    showPicture();
}

} // namespace

bool isKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < int(std::size(input.keys)) && input.keys[virtualKey];
}

int readJoystick(uint32_t& x, uint32_t& buttons) {
    if (!input.joystickPresent) return 1;
    x = input.joystickX;
    buttons = input.joystickFire ? 1u : 0u;
    return 0;
}

int32_t cursorClientX() {
    return input.cursorX;
}

void showMessageBox(const char* title, const char* text) {
    std::unique_lock guard(requestLock);
    boxTitle = title;
    boxText = text;
    boxPending = true;
    wakeMainThread();
    requestDone.wait(guard, [] { return !boxPending; });
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
    window = SDL_CreateWindow("Vorblet v1.0.5", 0, 0, kWindowWidth, kWindowHeight,
                              SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window != nullptr) renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr && window != nullptr)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer != nullptr) {
        SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_BGR24, SDL_TEXTUREACCESS_STREAMING,
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
    wakeEvent = SDL_RegisterEvents(1);
    refreshInput();
    handlers.created();
    SDL_ShowWindow(window);
    while (!quit)
        pumpOnce(true);
    thread::join();
    closeJoystick();
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return 0;
}

void postQuit() {
    quit = true;
}

void sendDestroy() {
    std::unique_lock guard(requestLock);
    uint64_t serial = ++destroyRequested;
    wakeMainThread();
    requestDone.wait(guard, [&] { return destroyHandled >= serial; });
}

void waitGameThread() {
    destroying = true;
    while (!thread::hasEnded())
        pumpOnce(false);
    thread::join();
}

} // namespace platform::sdl

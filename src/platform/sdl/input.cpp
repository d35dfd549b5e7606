#include "platform/sdl/input.h"

#include "platform/platform.h"

#include <atomic>

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

SDL_GameController* controller = nullptr;
SDL_Joystick* joystick = nullptr;

void openFirstJoystick() {
    if (controller != nullptr || joystick != nullptr) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_IsGameController(i) && (controller = SDL_GameControllerOpen(i)) != nullptr) return;
        if ((joystick = SDL_JoystickOpen(i)) != nullptr) return;
    }
}

bool joystickAttached() {
    if (controller != nullptr) return SDL_GameControllerGetAttached(controller);
    return joystick != nullptr && SDL_JoystickGetAttached(joystick);
}

} // namespace

void closeJoystick() {
    if (controller != nullptr) SDL_GameControllerClose(controller);
    if (joystick != nullptr) SDL_JoystickClose(joystick);
    controller = nullptr;
    joystick = nullptr;
}

void refreshInput(SDL_Window* window, bool focused) {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    input.keys[VK_SPACE] = focused && keys[SDL_SCANCODE_SPACE];
    input.keys[VK_ESCAPE] = focused && keys[SDL_SCANCODE_ESCAPE];
    input.keys[VK_LEFT] = focused && keys[SDL_SCANCODE_LEFT];
    input.keys[VK_RIGHT] = focused && keys[SDL_SCANCODE_RIGHT];
    input.keys[VK_SHIFT] = focused && (keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT]);
    input.keys[VK_TAB] = focused && keys[SDL_SCANCODE_TAB];
    input.keys[VK_CONTROL] = focused && (keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL]);

    // The global state, so that a button held while the cursor leaves the window stays held.
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;
    Uint32 buttons = SDL_GetGlobalMouseState(&mouseX, &mouseY);
    SDL_GetWindowPosition(window, &windowX, &windowY);
    input.keys[VK_LBUTTON] = focused && (buttons & SDL_BUTTON_LMASK) != 0;
    input.keys[VK_RBUTTON] = focused && (buttons & SDL_BUTTON_RMASK) != 0;
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
        // Without the focus the stick rests at the centre: still there, steering nothing.
        input.joystickX = focused ? uint32_t(axis + 32768) : 32768u; // -32768..32767 onto 0..65535
        input.joystickFire = focused && fire;
        input.joystickPresent = true;
    } else {
        input.joystickPresent = false;
    }
}

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

} // namespace platform::sdl

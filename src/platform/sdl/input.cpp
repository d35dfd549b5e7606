#include "platform/sdl/input.h"

#include "platform/platform.h"

#include <atomic>
#include <cmath>

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

bool button(SDL_GameControllerButton which) {
    return SDL_GameControllerGetButton(controller, which) != 0;
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

void refreshInput(SDL_Window* window, bool focused, const PicturePlace& picture) {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    input.keys[kKeySpace] = focused && keys[SDL_SCANCODE_SPACE];
    input.keys[kKeyEscape] = focused && keys[SDL_SCANCODE_ESCAPE];
    input.keys[kKeyLeft] = focused && keys[SDL_SCANCODE_LEFT];
    input.keys[kKeyRight] = focused && keys[SDL_SCANCODE_RIGHT];
    input.keys[kKeyShift] = focused && (keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT]);
    input.keys[kKeyTab] = focused && keys[SDL_SCANCODE_TAB];
    input.keys[kKeyControl] = focused && (keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL]);

    // The global state, so that a button held while the cursor leaves the window stays held.
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;
    Uint32 buttons = SDL_GetGlobalMouseState(&mouseX, &mouseY);
    SDL_GetWindowPosition(window, &windowX, &windowY);
    input.keys[kKeyLeftButton] = focused && (buttons & SDL_BUTTON_LMASK) != 0;
    input.keys[kKeyRightButton] = focused && (buttons & SDL_BUTTON_RMASK) != 0;
    input.cursorX = int32_t(std::floor((mouseX - windowX - picture.left) / picture.scale));

    if (!joystickAttached()) {
        closeJoystick();
        openFirstJoystick();
    }
    if (controller != nullptr || joystick != nullptr) {
        int axis = 0;
        bool fire = false;
        if (controller != nullptr) {
            // The D-pad pushes as the stick does at its stop; A or Start is the fire button, and
            // B or Back is Escape.
            axis = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
            if (button(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) axis = -32768;
            if (button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) axis = 32767;
            fire = button(SDL_CONTROLLER_BUTTON_A) || button(SDL_CONTROLLER_BUTTON_START);
            if (button(SDL_CONTROLLER_BUTTON_B) || button(SDL_CONTROLLER_BUTTON_BACK))
                input.keys[kKeyEscape] = focused;
        } else {
            axis = SDL_JoystickGetAxis(joystick, 0);
            fire = SDL_JoystickGetButton(joystick, 0);
        }
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

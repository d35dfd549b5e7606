#include "platform/sdl/input.h"

#include "platform/controls.h"
#include "platform/platform.h"

#include <atomic>
#include <cmath>

namespace platform::sdl {

namespace {

// SDL's input state may only be read on the thread that pumps events, so the main thread keeps
// this snapshot and the game thread reads it without locks.
struct InputSnapshot {
    std::atomic<bool> keys[kGameKeyCount] = {};
    std::atomic<bool> joystickPresent{false};
    std::atomic<uint32_t> joystickX{32768};
    std::atomic<bool> joystickFire{false};
    std::atomic<int32_t> cursorX{0};
};
InputSnapshot input;

// Held keys are read by where they sit (scancodes), so that the arrows and Shift are in the same
// place on every layout; a press names its key by its label (keycode), so that P and M follow
// the layout.
struct KeyRow {
    Input input;
    SDL_Scancode scancode;
    SDL_Keycode keycode;
};
constexpr KeyRow kKeyRows[] = {
    {Input::space, SDL_SCANCODE_SPACE, SDLK_SPACE},
    {Input::escape, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE},
    {Input::left, SDL_SCANCODE_LEFT, SDLK_LEFT},
    {Input::right, SDL_SCANCODE_RIGHT, SDLK_RIGHT},
    {Input::leftShift, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT},
    {Input::rightShift, SDL_SCANCODE_RSHIFT, SDLK_RSHIFT},
    {Input::tab, SDL_SCANCODE_TAB, SDLK_TAB},
    {Input::leftControl, SDL_SCANCODE_LCTRL, SDLK_LCTRL},
    {Input::rightControl, SDL_SCANCODE_RCTRL, SDLK_RCTRL},
    {Input::p, SDL_SCANCODE_P, SDLK_p},
    {Input::m, SDL_SCANCODE_M, SDLK_m},
    {Input::f11, SDL_SCANCODE_F11, SDLK_F11},
    {Input::enter, SDL_SCANCODE_RETURN, SDLK_RETURN},
};

struct PadRow {
    Input input;
    SDL_GameControllerButton button;
};
constexpr PadRow kPadRows[] = {
    {Input::padA, SDL_CONTROLLER_BUTTON_A},
    {Input::padB, SDL_CONTROLLER_BUTTON_B},
    {Input::padStart, SDL_CONTROLLER_BUTTON_START},
    {Input::padBack, SDL_CONTROLLER_BUTTON_BACK},
};

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

bool inputOfKey(SDL_Keycode keycode, Input& input) {
    for (const KeyRow& row : kKeyRows)
        if (row.keycode == keycode) {
            input = row.input;
            return true;
        }
    return false;
}

bool inputOfPadButton(uint8_t button, Input& input) {
    for (const PadRow& row : kPadRows)
        if (row.button == button) {
            input = row.input;
            return true;
        }
    return false;
}

void refreshInput(SDL_Window* window, bool focused, const PicturePlace& picture) {
    bool held[kInputCount] = {};
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    for (const KeyRow& row : kKeyRows)
        held[int(row.input)] = keys[row.scancode] != 0;

    // The global state, so that a button held while the cursor leaves the window stays held.
    int mouseX = 0, mouseY = 0, windowX = 0, windowY = 0;
    Uint32 buttons = SDL_GetGlobalMouseState(&mouseX, &mouseY);
    SDL_GetWindowPosition(window, &windowX, &windowY);
    held[int(Input::leftButton)] = (buttons & SDL_BUTTON_LMASK) != 0;
    held[int(Input::rightButton)] = (buttons & SDL_BUTTON_RMASK) != 0;
    input.cursorX = int32_t(std::floor((mouseX - windowX - picture.left) / picture.scale));

    if (!joystickAttached()) {
        closeJoystick();
        openFirstJoystick();
    }
    int axis = 0;
    if (controller != nullptr) {
        // The D-pad pushes as the stick does at its stop.
        axis = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
        if (button(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) axis = -32768;
        if (button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) axis = 32767;
        for (const PadRow& row : kPadRows)
            held[int(row.input)] = button(row.button);
    } else if (joystick != nullptr) {
        axis = SDL_JoystickGetAxis(joystick, 0);
        held[int(Input::joystickButton1)] = SDL_JoystickGetButton(joystick, 0) != 0;
    }

    GameInputs game;
    if (focused) gameInputsFrom(held, game);
    for (int key = 0; key < kGameKeyCount; ++key)
        input.keys[key] = game.keys[key];
    // Without the focus the stick rests at the centre: still there, steering nothing.
    input.joystickX = focused ? uint32_t(axis + 32768) : 32768u; // -32768..32767 onto 0..65535
    input.joystickFire = game.fire;
    input.joystickPresent = controller != nullptr || joystick != nullptr;
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

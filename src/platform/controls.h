#pragma once
// The player's controls: the raw inputs every backend reports, by names of our own, and the one
// table of what each of them does, read by every backend.
#include "platform/platform.h"

#include <vector>

namespace platform {

// The keys, buttons and pad buttons the game can be played with; the sticks and the D-pad stay
// with the backends, which read them as the joystick's x.
enum class Input : int {
    space,
    escape,
    left,
    right,
    leftShift,
    rightShift,
    tab,
    leftControl,
    rightControl,
    p,
    m,
    f11,
    enter,
    leftButton,
    rightButton,
    joystickButton1,
    padA,
    padB,
    padStart,
    padBack,
};
constexpr int kInputCount = int(Input::padBack) + 1;

// What an input does. The numbers are also the page's (library.js), which gets the table by them.
enum class Action : int {
    none = 0,
    gameKey = 1,    // held: the game sees the row's virtual key down
    fire = 2,       // held: the joystick's button 1
    pause = 3,      // pressed: the player's pause, on or off
    mute = 4,       // pressed: the sound, off or on
    fullscreen = 5, // pressed: the window, fullscreen or not
};

struct Control {
    Input input;
    Action action;
    int virtualKey = 0; // for gameKey: a kKey* code
    // Only with Alt held (Alt+Enter); such a row is a press, never a held game key.
    bool alt = false;
};

// The table in use, which every backend reads; the settings may replace it.
std::vector<Control>& controls();
// The table as the game has always been played.
std::vector<Control> defaultControls();
void resetControls();

// What a press does: with alt, a row that asks for Alt comes before one that does not; a row
// that asks for Alt never matches without it.
Action actionOfPress(Input input, bool alt);

// The game keys are the virtual keys below kGameKeyCount.
constexpr int kGameKeyCount = kKeyRight + 1;
struct GameInputs {
    bool keys[kGameKeyCount] = {};
    bool fire = false;
};
// The game keys and the fire button that the held inputs make.
void gameInputsFrom(const bool held[kInputCount], GameInputs& out);

} // namespace platform

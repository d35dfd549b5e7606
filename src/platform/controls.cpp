#include "platform/controls.h"

namespace platform {

std::vector<Control> defaultControls() {
    return {
        {Input::space, Action::gameKey, kKeySpace},
        {Input::escape, Action::gameKey, kKeyEscape},
        {Input::left, Action::gameKey, kKeyLeft},
        {Input::right, Action::gameKey, kKeyRight},
        {Input::leftShift, Action::gameKey, kKeyShift},
        {Input::rightShift, Action::gameKey, kKeyShift},
        {Input::tab, Action::gameKey, kKeyTab},
        {Input::leftControl, Action::gameKey, kKeyControl},
        {Input::rightControl, Action::gameKey, kKeyControl},
        {Input::leftButton, Action::gameKey, kKeyLeftButton},
        {Input::rightButton, Action::gameKey, kKeyRightButton},
        {Input::joystickButton1, Action::fire},
        {Input::padA, Action::fire},
        {Input::padStart, Action::fire},
        {Input::padB, Action::gameKey, kKeyEscape},
        {Input::padBack, Action::gameKey, kKeyEscape},
        {Input::p, Action::pause},
        {Input::m, Action::mute},
        {Input::f11, Action::fullscreen},
        {Input::enter, Action::fullscreen, 0, true},
    };
}

namespace {

// Made before the game starts: a table first made during a round would be an allocation there.
std::vector<Control> table = defaultControls();

} // namespace

std::vector<Control>& controls() {
    return table;
}

void resetControls() {
    controls() = defaultControls();
}

Action actionOfPress(Input input, bool alt) {
    Action plain = Action::none;
    bool plainFound = false;
    for (const Control& control : controls()) {
        if (control.input != input) continue;
        if (control.alt) {
            if (alt) return control.action;
        } else if (!plainFound) {
            plain = control.action;
            plainFound = true;
        }
    }
    return plain;
}

void gameInputsFrom(const bool held[kInputCount], GameInputs& out) {
    out = GameInputs{};
    for (const Control& control : controls()) {
        if (control.alt || !held[int(control.input)]) continue;
        if (control.action == Action::gameKey && control.virtualKey >= 0 &&
            control.virtualKey < kGameKeyCount)
            out.keys[control.virtualKey] = true;
        else if (control.action == Action::fire)
            out.fire = true;
    }
}

} // namespace platform

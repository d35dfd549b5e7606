#include "support/headless_probe.h"

#include "platform/controls.h"
#include "platform/headless/state.h"
#include "platform/window_picture.h"

#include <algorithm>

namespace platform::probe {

using headless::state;

namespace {

// The inputs that give the game each key, as a script's key names choose them.
struct KeyInput {
    int virtualKey;
    Input input;
};
constexpr KeyInput kKeyInputs[] = {
    {kKeySpace, Input::space},
    {kKeyEscape, Input::escape},
    {kKeyLeft, Input::left},
    {kKeyRight, Input::right},
    {kKeyShift, Input::leftShift},
    {kKeyTab, Input::tab},
    {kKeyControl, Input::leftControl},
    {kKeyLeftButton, Input::leftButton},
    {kKeyRightButton, Input::rightButton},
    {kJoyFire, Input::joystickButton1},
};

bool inputOfKey(int virtualKey, Input& input) {
    for (const KeyInput& row : kKeyInputs)
        if (row.virtualKey == virtualKey) {
            input = row.input;
            return true;
        }
    return false;
}

} // namespace

void resetHeadless(bool noSound) {
    selectBackend(Backend::headless, HeadlessOptions{});
    headless::State& s = state();
    if (s.trace != nullptr) std::fclose(s.trace);
    s.trace = nullptr;
    s.realClock = false;
    s.probe = true;
    s.clock = 0;
    s.events.clear();
    s.nextEvent = 0;
    s.shots.clear();
    s.nextShot = 0;
    for (bool& held : s.held)
        held = false;
    s.joystickPresent = false;
    s.joystickX = 32768;
    s.cursorX = 320;
    s.picture = blankPicture();
    s.presents = 0;
    s.boxes.clear();
    s.soundEvents.clear();
    s.noSound = noSound;
    s.clips.clear();
}

void setKey(int virtualKey, bool down) {
    Input input{};
    if (inputOfKey(virtualKey, input)) state().held[int(input)] = down;
}

void setJoystick(bool present, uint32_t x, bool button1) {
    state().joystickPresent = present;
    state().joystickX = x;
    state().held[int(Input::joystickButton1)] = button1;
}

void setCursorX(int32_t x) {
    state().cursorX = x;
}
void setClock(uint32_t ms) {
    state().clock = ms;
}
void advanceClock(uint32_t ms) {
    headless::advanceTo(state().clock + ms);
}
const std::vector<uint8_t>& windowPicture() {
    return state().picture;
}
uint64_t pictureHash() {
    return platform::hashPicture(state().picture);
}

std::vector<std::string> takeBoxes() {
    std::vector<std::string> taken;
    taken.swap(state().boxes);
    return taken;
}

std::vector<std::string> takeSoundEvents() {
    std::vector<std::string> taken;
    taken.swap(state().soundEvents);
    return taken;
}

uint64_t presentCount() {
    return state().presents;
}

void scheduleKey(uint32_t ms, int virtualKey, bool down) {
    using headless::ScriptEvent;
    headless::State& s = state();
    Input input{};
    if (!inputOfKey(virtualKey, input)) return;
    const ScriptEvent event{ms, down ? ScriptEvent::keyDown : ScriptEvent::keyUp, int(input)};
    auto place = std::upper_bound(s.events.begin() + ptrdiff_t(s.nextEvent), s.events.end(), ms,
                                  [](uint32_t t, const ScriptEvent& e) { return t < e.ms; });
    s.events.insert(place, event);
}

void dropScheduledKeys() {
    state().events.resize(state().nextEvent);
}

} // namespace platform::probe

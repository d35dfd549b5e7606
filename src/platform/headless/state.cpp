// The headless machine: its one state, the clock that delivers the script, the trace.
#include "platform/headless/state.h"

#include "platform/bmp_file.h"
#include "platform/controls.h"

#include <algorithm>
#include <cstdio>

namespace platform::headless {

State& state() {
    // Never destroyed: the game's global sound clips close themselves at exit, after every
    // ordinary static is gone, and still talk to this backend.
    static State& instance = *new State;
    return instance;
}

bool paused() {
    const State& s = state();
    return !s.closeSeen && (s.pausedByKey || s.focusLost);
}

uint32_t gameTime() {
    return state().clock - state().pausedMs;
}

namespace {

// Moves the script's clock; while paused the game's time stays where it is.
void moveClock(uint32_t time) {
    State& s = state();
    if (paused()) s.pausedMs += time - s.clock;
    s.clock = time;
}

void takeShot(const Shot& shot) {
    if (!writeBmp24(shot.path.c_str(), state().picture.data(), kWindowWidth, kWindowHeight))
        std::fprintf(stderr, "vorblet: cannot write %s\n", shot.path.c_str());
}

} // namespace

void applyEvent(const ScriptEvent& event) {
    State& s = state();
    switch (event.kind) {
    case ScriptEvent::keyDown:
    case ScriptEvent::keyUp: {
        const bool down = event.kind == ScriptEvent::keyDown;
        bool& held = s.held[event.value];
        // The player's own keys act as they go down; the backend has no sound to mute and no
        // window to make fullscreen.
        if (down && !held && actionOfPress(Input(event.value), false) == Action::pause)
            s.pausedByKey = !s.pausedByKey;
        held = down;
        // A button pressed on a joystick means there is one, resting at the centre.
        if (event.value == int(Input::joystickButton1) && down && !s.joystickPresent) {
            s.joystickPresent = true;
            s.joystickX = 32768;
        }
        break;
    }
    case ScriptEvent::joyX:
        s.joystickPresent = true;
        s.joystickX = static_cast<uint32_t>(event.value);
        break;
    case ScriptEvent::joyNone:
        s.joystickPresent = false;
        break;
    case ScriptEvent::cursor:
        s.cursorX = event.value;
        break;
    case ScriptEvent::focusOut:
    case ScriptEvent::focusIn:
        s.focusLost = event.kind == ScriptEvent::focusOut;
        break;
    case ScriptEvent::close: {
        // Once the window is gone a second close has nothing to act on.
        if (s.closeSeen || s.probe) break;
        s.closeSeen = true;
        std::unique_lock guard(s.lock);
        uint64_t serial = ++s.requested;
        s.destroyPending = true;
        s.changed.notify_all();
        // Waiting until the main thread has claimed (or found claimed) the shutdown keeps the
        // run deterministic: the game thread's next flag test sees the claim.
        s.changed.wait(guard, [&] { return s.acknowledged >= serial; });
        break;
    }
    }
}

void advanceTo(uint32_t time) {
    State& s = state();
    for (;;) {
        bool shotDue = s.nextShot < s.shots.size() && s.shots[s.nextShot].ms <= time;
        bool eventDue = s.nextEvent < s.events.size() && s.events[s.nextEvent].ms <= time;
        if (!shotDue && !eventDue) break;
        // A shot shows the picture as it stands when its time comes, before that moment's input.
        if (shotDue && (!eventDue || s.shots[s.nextShot].ms <= s.events[s.nextEvent].ms)) {
            moveClock(std::max(s.clock, s.shots[s.nextShot].ms));
            takeShot(s.shots[s.nextShot++]);
        } else {
            moveClock(std::max(s.clock, s.events[s.nextEvent].ms));
            applyEvent(s.events[s.nextEvent++]);
        }
    }
    // Forward only, and across the wrap of the 32-bit tick count as a real one would go.
    if (static_cast<int32_t>(time - s.clock) > 0) moveClock(time);
}

} // namespace platform::headless

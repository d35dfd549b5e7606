#pragma once
// The script of a headless run: one timed event a line, parsed before anything runs.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

struct ScriptEvent {
    uint32_t ms;
    enum Kind { keyDown, keyUp, joyX, joyNone, cursor, close, focusOut, focusIn } kind;
    int value; // virtual key (kKey* or kJoyFire), joystick x or cursor x
};
constexpr int kJoyFire = 0x100; // the joystick's button 1 in script events
// P, which pauses and resumes as on the window; the backend keeps it, the game never reads it.
constexpr int kPauseKey = 0x50;

// Parses a script; on a malformed line fills error with "LINE: what" and returns false.
bool parseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

} // namespace platform::headless

#pragma once
// The script of a headless run: one timed event a line, parsed before anything runs.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::headless {

struct ScriptEvent {
    uint32_t ms;
    enum Kind { keyDown, keyUp, joyX, joyNone, cursor, close, focusOut, focusIn } kind;
    int value; // an Input (platform/controls.h), joystick x or cursor x
};

// Parses a script; on a malformed line fills error with "LINE: what" and returns false.
bool parseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

} // namespace platform::headless

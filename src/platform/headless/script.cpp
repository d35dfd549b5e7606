#include "platform/headless/script.h"

#include "platform/controls.h"
#include "platform/system/quoted.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace platform::headless {

namespace {

// The script's keys are inputs as a keyboard, mouse and joystick report them; SHIFT and CONTROL
// are the left ones.
struct KeyName {
    const char* name;
    Input input;
};
constexpr KeyName kKeys[] = {
    {"SPACE", Input::space},
    {"ESCAPE", Input::escape},
    {"LEFT", Input::left},
    {"RIGHT", Input::right},
    {"SHIFT", Input::leftShift},
    {"TAB", Input::tab},
    {"CONTROL", Input::leftControl},
    {"LBUTTON", Input::leftButton},
    {"RBUTTON", Input::rightButton},
    {"JOYFIRE", Input::joystickButton1},
    {"P", Input::p},
};

// Whole-token decimal parse; rejects empty text, trailing junk and values outside [low, high].
// Wider than long, which holds no tick count where it has 32 bits (Windows).
bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    // The whole token, a NUL byte inside it included, must be the number.
    return errno == 0 && end == text.c_str() + text.size() && value >= low && value <= high;
}

} // namespace

bool parseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    long long previous = 0;
    auto fail = [&](const std::string& what) {
        error = std::to_string(number) + ": " + what;
        return false;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string time, action, argument, extra;
        if (!(words >> time)) continue;
        words >> action >> argument >> extra;
        long long ms = 0;
        if (!parseNumber(time, 0, 0xFFFFFFFFLL, ms))
            return fail("bad time " + quotedForMessage(time));
        if (ms < previous) return fail("time " + time + " is earlier than the line before");
        previous = ms;
        if (!extra.empty()) return fail("unexpected " + quotedForMessage(extra));
        ScriptEvent event{static_cast<uint32_t>(ms), ScriptEvent::close, 0};
        if (action == "down" || action == "up") {
            const KeyName* found = nullptr;
            for (const KeyName& key : kKeys)
                if (argument == key.name) found = &key;
            if (found == nullptr) return fail("unknown key " + quotedForMessage(argument));
            event.kind = action == "down" ? ScriptEvent::keyDown : ScriptEvent::keyUp;
            event.value = int(found->input);
        } else if (action == "joyx") {
            long long x = 0;
            if (argument == "none") {
                event.kind = ScriptEvent::joyNone;
            } else if (parseNumber(argument, 0, 65535, x)) {
                event.kind = ScriptEvent::joyX;
                event.value = static_cast<int>(x);
            } else {
                return fail("joyx needs 0 to 65535 or none, not " + quotedForMessage(argument));
            }
        } else if (action == "cursor") {
            long long x = 0;
            if (!parseNumber(argument, -1000000, 1000000, x))
                return fail("cursor needs a whole number, not " + quotedForMessage(argument));
            event.kind = ScriptEvent::cursor;
            event.value = static_cast<int>(x);
        } else if (action == "focus") {
            if (argument != "out" && argument != "in")
                return fail("focus needs out or in, not " + quotedForMessage(argument));
            event.kind = argument == "out" ? ScriptEvent::focusOut : ScriptEvent::focusIn;
        } else if (action == "close") {
            if (!argument.empty()) return fail("close takes no argument");
        } else {
            return fail(action.empty() ? "missing action"
                                       : "unknown action " + quotedForMessage(action));
        }
        events.push_back(event);
    }
    return true;
}

} // namespace platform::headless

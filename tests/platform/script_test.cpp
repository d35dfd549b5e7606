// The headless script parser: what a good script becomes, and the line and reason it gives for
// each kind of malformed line.
#include "platform/controls.h"
#include "platform/headless/script.h"

#include <gtest/gtest.h>

namespace {

using platform::Input;
using platform::headless::parseScript;
using platform::headless::ScriptEvent;

TEST(ScriptParser, ReadsEveryActionSkippingBlanksAndComments) {
    const std::string text = "# a comment line\n"
                             "\n"
                             "0 down SPACE\n"
                             "  100   up SPACE   # trailing comment\n"
                             "100 joyx 65535\n"
                             "200 joyx none\n"
                             "300 cursor -40\n"
                             "300 down JOYFIRE\n"
                             "400 down P\n"
                             "500 focus out\n"
                             "600 focus in\n"
                             "4294967295 close\n";
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseScript(text, events, error)) << error;
    const std::vector<ScriptEvent> expected = {
        {0, ScriptEvent::keyDown, int(Input::space)},
        {100, ScriptEvent::keyUp, int(Input::space)},
        {100, ScriptEvent::joyX, 65535},
        {200, ScriptEvent::joyNone, 0},
        {300, ScriptEvent::cursor, -40},
        {300, ScriptEvent::keyDown, int(Input::joystickButton1)},
        {400, ScriptEvent::keyDown, int(Input::p)},
        {500, ScriptEvent::focusOut, 0},
        {600, ScriptEvent::focusIn, 0},
        {4294967295u, ScriptEvent::close, 0},
    };
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(events[i].ms, expected[i].ms) << i;
        EXPECT_EQ(events[i].kind, expected[i].kind) << i;
        EXPECT_EQ(events[i].value, expected[i].value) << i;
    }
}

TEST(ScriptParser, NamesTheLineAndTheFault) {
    struct Case {
        std::string text;
        const char* error; // the start of the message
    };
    const Case cases[] = {
        {"x down SPACE\n", "1: bad time"},
        {"-5 down SPACE\n", "1: bad time"},
        {"4294967296 close\n", "1: bad time"},
        {std::string("5\0x down SPACE\n", 15), "1: bad time"},
        {"10 close\n5 close\n", "2: time 5 is earlier"},
        {"0 down SPACE extra\n", "1: unexpected"},
        {"0 down ENTER\n", "1: unknown key"},
        {"0 up\n", "1: unknown key"},
        {"0 joyx 65536\n", "1: joyx needs 0 to 65535 or none"},
        {"0 joyx -1\n", "1: joyx needs 0 to 65535 or none"},
        {"0 cursor left\n", "1: cursor needs a whole number"},
        {"0 close now\n", "1: close takes no argument"},
        {"0 focus\n", "1: focus needs out or in"},
        {"0 focus away\n", "1: focus needs out or in"},
        {"0\n", "1: missing action"},
        {"# fine\n0 jump\n", "2: unknown action"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(parseScript(c.text, events, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << "'" << error << "' for " << c.text;
    }
}

} // namespace

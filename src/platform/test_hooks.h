#pragma once
// Points where a test of the real program can hold one thread, to force an interleaving of the
// two threads that a player could only hit by chance. The environment variable VORBLET_TEST_HOOK
// names the hooks to arm, separated by commas; a player never sets it, and unarmed hooks cost one
// string comparison at start-up.
#include <string>

namespace platform {

// True when the hook of this name is armed.
bool testHookArmed(const char* name);
// The argument of an armed hook written NAME:ARGUMENT, or empty.
std::string testHookArgument(const char* name);
// Tells the test that a hook has been reached: one line on stderr.
void testHookReached(const char* name);
// A test stands in for a hung network folder: with "stall-open:NAME" armed, opening a file whose
// path ends in NAME never returns.
void stallOpenIfArmed(const char* path);

} // namespace platform

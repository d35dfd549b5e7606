// The game thread in the browser: a page has one thread for the game, so the game runs on it
// directly, its sleeps handing the page back to the browser until they end.
#include "platform/system/thread.h"

namespace platform::thread {

namespace {
bool ended = false;
} // namespace

void start(int (*entry)(void*), void* argument) {
    ended = false;
    entry(argument);
    ended = true;
}

bool hasEnded() {
    return ended;
}

void join() {}

} // namespace platform::thread

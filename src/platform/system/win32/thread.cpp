#include "platform/system/thread.h"

#include <atomic>
#include <thread>

namespace platform::thread {

namespace {

// mingw-w64's threads get the stack the executable asks for (the link sets 16 MiB: a round keeps
// its whole ball table on this thread's stack).
std::thread gameThread;
std::atomic<bool> ended{false};

} // namespace

void start(int (*entry)(void*), void* argument) {
    ended.store(false);
    gameThread = std::thread([entry, argument] {
        entry(argument);
        ended.store(true);
    });
}

bool hasEnded() {
    return ended.load();
}

void join() {
    if (gameThread.joinable()) gameThread.join();
}

} // namespace platform::thread

#include "platform/backends.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace platform::thread {

namespace {
// A round keeps its whole ball table on this thread's stack; 16 MiB leaves a wide margin on every
// platform (some give new threads as little as 512 KiB by default).
constexpr size_t kStackBytes = 16u << 20;

struct Start {
    int (*entry)(void*);
    void* argument;
};
Start startArgs;
SDL_Thread* gameThread = nullptr;
std::atomic<bool> ended{false};

int run(void*) {
    int code = startArgs.entry(startArgs.argument);
    ended.store(true);
    return code;
}
} // namespace

void start(int (*entry)(void*), void* argument) {
    startArgs = {entry, argument};
    ended.store(false);
    gameThread = SDL_CreateThreadWithStackSize(run, "game", kStackBytes, nullptr);
    if (gameThread == nullptr) {
        std::fprintf(stderr, "vorblet: cannot start the game thread: %s\n", SDL_GetError());
        std::exit(1);
    }
}

bool hasEnded() {
    return ended.load();
}

void join() {
    if (gameThread == nullptr) return;
    SDL_WaitThread(gameThread, nullptr);
    gameThread = nullptr;
}

} // namespace platform::thread

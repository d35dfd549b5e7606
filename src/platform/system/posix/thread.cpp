#include "platform/system/thread.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>

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
pthread_t gameThread;
bool running = false;
std::atomic<bool> ended{false};

void* run(void*) {
    startArgs.entry(startArgs.argument);
    ended.store(true);
    return nullptr;
}
} // namespace

void start(int (*entry)(void*), void* argument) {
    startArgs = {entry, argument};
    ended.store(false);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackBytes);
    int error = pthread_create(&gameThread, &attributes, run, nullptr);
    pthread_attr_destroy(&attributes);
    if (error != 0) {
        std::fprintf(stderr, "vorblet: cannot start the game thread: %s\n", std::strerror(error));
        std::exit(1);
    }
    running = true;
}

bool hasEnded() {
    return ended.load();
}

void join() {
    if (!running) return;
    pthread_join(gameThread, nullptr);
    running = false;
}

} // namespace platform::thread

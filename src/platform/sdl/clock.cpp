#include "platform/sdl/clock.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform::sdl {

namespace {

std::mutex clockLock;
std::condition_variable pauseChanged;
bool pausedNow = false;
bool released = false;
Uint64 pausedAt = 0;    // real ms at which the pause began
Uint64 pausedTotal = 0; // real ms spent in pauses that have ended

// The game's ms, with the lock held.
Uint64 gameNow() {
    return (pausedNow ? pausedAt : SDL_GetTicks64()) - pausedTotal;
}

} // namespace

void setPaused(bool paused) {
    std::lock_guard guard(clockLock);
    if (released || paused == pausedNow) return;
    if (paused)
        pausedAt = SDL_GetTicks64();
    else
        pausedTotal += SDL_GetTicks64() - pausedAt;
    pausedNow = paused;
    pauseChanged.notify_all();
}

bool paused() {
    std::lock_guard guard(clockLock);
    return pausedNow;
}

void releasePauses() {
    setPaused(false);
    std::lock_guard guard(clockLock);
    released = true;
}

uint32_t gameTicks() {
    std::lock_guard guard(clockLock);
    return uint32_t(gameNow()); // wraps as the tick count always did
}

void gameSleep(uint32_t ms) {
    std::unique_lock guard(clockLock);
    const Uint64 until = gameNow() + ms;
    for (;;) {
        if (pausedNow) {
            pauseChanged.wait(guard);
            continue;
        }
        const Uint64 now = gameNow();
        if (now >= until) return;
        // A short sleep without the lock is as exact as the old plain delay; a pause that
        // begins meanwhile holds the rest of the sleep.
        guard.unlock();
        SDL_Delay(Uint32(until - now));
        guard.lock();
    }
}

uint32_t sessionTicks() {
    return uint32_t(SDL_GetTicks64());
}

// A closed window stops the wait: a replay may hold a long pause that nobody wants to sit out.
void gameSleepUntil(uint32_t ms) {
    std::unique_lock guard(clockLock);
    for (;;) {
        if (released) return;
        if (pausedNow) {
            pauseChanged.wait(guard);
            continue;
        }
        const Uint64 now = gameNow();
        if (int32_t(ms - uint32_t(now)) <= 0) return;
        guard.unlock();
        SDL_Delay(std::min<Uint32>(Uint32(int32_t(ms - uint32_t(now))), 50));
        guard.lock();
    }
}

} // namespace platform::sdl

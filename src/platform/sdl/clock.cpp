#include "platform/sdl/clock.h"

#include "platform/game_sleep.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
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

// The game's clock for a sleep, read and waited on with the lock held. A short sleep without the
// lock is as exact as the old plain delay; a pause that begins meanwhile holds the rest.
struct LockedClock {
    std::unique_lock<std::mutex>& guard;
    bool stopsWhenReleased;
    uint32_t longestStep; // ms the sleep goes before it looks at the clock again
    bool stopped() const { return stopsWhenReleased && released; }
    bool paused() const { return pausedNow; }
    void waitWhilePaused() { pauseChanged.wait(guard); }
    uint32_t now() const { return uint32_t(gameNow()); }
    void sleepFor(uint32_t ms) {
        guard.unlock();
        SDL_Delay(std::min(ms, longestStep));
        guard.lock();
    }
};

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
    LockedClock clock{guard, false, UINT32_MAX};
    sleepUntilGameTime(clock, uint32_t(gameNow()) + ms);
}

uint32_t sessionTicks() {
    return uint32_t(SDL_GetTicks64());
}

// A closed window stops the wait: a replay may hold a long pause that nobody wants to sit out.
void gameSleepUntil(uint32_t ms) {
    std::unique_lock guard(clockLock);
    LockedClock clock{guard, true, 50};
    sleepUntilGameTime(clock, ms);
}

} // namespace platform::sdl

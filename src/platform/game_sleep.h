#pragma once
// The sleep a window backend gives the game: until the game's clock, which a pause holds, reaches
// a mark, so that a pause that begins during a sleep holds the rest of it.
#include <cstdint>

namespace platform {

// The clock is the backend's own: stopped() (nobody wants the wait any more), paused(),
// waitWhilePaused() (back once the pause may have ended), now() (the game's ms, wrapping as the
// tick count does) and sleepFor(ms) on the real clock.
template <class Clock> void sleepUntilGameTime(Clock& clock, uint32_t until) {
    for (;;) {
        if (clock.stopped()) return;
        if (clock.paused()) {
            clock.waitWhilePaused();
            continue;
        }
        const int32_t left = int32_t(until - clock.now());
        if (left <= 0) return;
        clock.sleepFor(uint32_t(left));
    }
}

} // namespace platform

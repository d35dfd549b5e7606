#pragma once
// The game's clock on the window: real time less the time spent paused, so that a pause is no
// jump in time for the frame pacer, and sleeps that do not end while the game is paused.
#include <cstdint>

namespace platform::sdl {

// Main thread: holds or releases the game's time.
void setPaused(bool paused);
bool paused();
// Main thread, once the player closed the window: no pause holds the game from now on, so that
// it reaches its next test of the quit flag at once.
void releasePauses();
// Game thread: the seam's tickCount and sleepMs.
uint32_t gameTicks();
void gameSleep(uint32_t ms);
// Real ms since the start, pauses included: the times a recording's answers are given at.
uint32_t sessionTicks();
// Game thread: sleeps until the game's clock reaches ms, for a replay watched at its own speed.
void gameSleepUntil(uint32_t ms);

} // namespace platform::sdl

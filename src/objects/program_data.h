#pragma once
// The program's one block of shared data: the high scores, which the score file holds, and the
// two flags beside them, which are never saved.
#include <atomic>
#include <cstdint>

// One high score per GameMode: index 1 HYPER, 2 SUPER, 3 ULTRA, 4 NORMAL, 5 BENCH; 0 is unused.
extern int32_t ScoreTable[6];
constexpr int kScoreTableBytes = 24;
// Set when a sound clip failed to open: the whole run is silent.
extern int32_t soundDisabled;
// Claimed once, by whichever thread first asks the program to end.
extern std::atomic<int32_t> quitRequested;

// The one atomic claim of the shutdown: true for the caller that changed the flag from 0 to 1.
bool claimQuit();

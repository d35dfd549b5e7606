#pragma once
// The benchmark: one BENCH round played at once (no title, no fade) on the real clock, and its
// figures as the one line the benchmark prints.
#include "game/round.h"

#include <cstddef>
#include <cstdint>

using BenchFigures = RoundFigures;

// Plays one BENCH round on the inventory as start-up left it (surfaces, sprites and sounds set
// up) and returns its figures.
BenchFigures runBenchRound();
// "frames N seconds S fps F balls B score P" and a line feed, into text (NUL-terminated, cut
// short if it does not fit). Returns the length the full line has.
int32_t formatBenchFigures(const BenchFigures& figures, char* text, size_t size);

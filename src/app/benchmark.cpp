#include "app/benchmark.h"
#include "app/game_thread.h"
#include "game/round_bench.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"

#include <cstdio>

// The same start-up as the game (minus the logo), then one BENCH round at once on the real clock.
int runBenchmark() {
    if (bindScreen(screen) == nullptr || startAssets() != 1) {
        noteStartFailure();
        return 1;
    }
    char line[128];
    formatBenchFigures(runBenchRound(), line, sizeof line);
    std::fputs(line, stdout);
    return 0;
}

#include "game/round_bench.h"

#include <cstdio>

BenchFigures runBenchRound() {
    return driveRound(BENCH, RoundOpening::atOnce);
}

int32_t formatBenchFigures(const BenchFigures& figures, char* text, size_t size) {
    const double seconds = figures.milliseconds / 1000.0;
    const double fps = figures.milliseconds > 0 ? figures.frames / seconds : 0.0;
    return std::snprintf(text, size, "frames %d seconds %.3f fps %.1f balls %d score %d\n",
                         figures.frames, seconds, fps, figures.balls, figures.score);
}

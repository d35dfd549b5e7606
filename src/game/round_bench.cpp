#include "game/round_bench.h"

#include "game/round.h"
#include "game/round_state.h"
#include "platform/platform.h"

#include <cstdio>

BenchFigures runBenchRound() {
    Ball balls[kBallSlots];
    Pad paddle;
    Round round;
    setUpRound(round, BENCH, balls, paddle, RoundOpening::atOnce);
    while (roundGoesOn(round) == 1)
        playFrame(round);
    BenchFigures figures;
    figures.milliseconds = platform::tickCount() - round.startTime;
    figures.frames = round.frames;
    figures.balls = ballsInPlay(round);
    figures.score = score;
    tearDownRound(round);
    return figures;
}

int32_t formatBenchFigures(const BenchFigures& figures, char* text, size_t size) {
    const double seconds = figures.milliseconds / 1000.0;
    const double fps = figures.milliseconds > 0 ? figures.frames / seconds : 0.0;
    return std::snprintf(text, size, "frames %d seconds %.3f fps %.1f balls %d score %d\n",
                         figures.frames, seconds, fps, figures.balls, figures.score);
}

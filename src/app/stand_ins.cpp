#include "app/stand_ins.h"

#include "app/game_thread.h"
#include "input/frame_pacer.h"

#include <cstdio>

int showStartupLogo() {
    startFrameTimer();
    return 1;
}

int runBenchmark() {
    std::fprintf(stderr, "vorblet: the benchmark round is not built yet\n");
    return 1;
}

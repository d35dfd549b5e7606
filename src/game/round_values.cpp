#include "game/round_values.h"

int32_t score = 0;
int32_t spawnCount = 0;
int32_t flashTick = 0;
int32_t flashValue = 1;

void resetRoundValues() {
    score = 0;
    spawnCount = 0;
    flashTick = 0;
    flashValue = 1;
}

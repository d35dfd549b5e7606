#include "objects/program_data.h"

int32_t ScoreTable[6] = {30, 30, 30, 0, 30, 30};
int32_t soundDisabled = 0;
std::atomic<int32_t> quitRequested{0};

bool claimQuit() {
    int32_t expected = 0;
    return quitRequested.compare_exchange_strong(expected, 1);
}

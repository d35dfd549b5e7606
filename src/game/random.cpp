#include "game/random.h"

namespace {
uint32_t randomState = 1;
}

int32_t nextRandom() {
    randomState = randomState * 22695477u + 1u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}

void resetRandom() {
    randomState = 1;
}

#include "game/round_state.h"

int32_t score = 0;

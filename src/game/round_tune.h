#pragma once
// The round's background tune follows how far the blocks have come down: the danger tune from a
// height of 22, the calm tune again only from 18, so a height wavering in between never flaps.
#include "game/round.h"

#include <cstdint>

constexpr int32_t kDangerFromHeight = 22;
constexpr int32_t kCalmFromHeight = 18;

// Once per frame: keeps the state's tune going on musicSlot (restarting it when it has ended), or
// switches tune at once when the height crosses a threshold.
void requestTune(TuneState& state, int32_t height);

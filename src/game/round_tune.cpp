#include "game/round_tune.h"

#include "objects/inventory.h"

void requestTune(TuneState& state, int32_t height) {
    if (state == TuneState::danger) {
        if (height > kCalmFromHeight) {
            musicSlot.playIfIdle(clip130);
            return;
        }
        state = TuneState::calm;
        musicSlot.stop();
        musicSlot.playIfIdle(clip129);
        return;
    }
    if (height < kDangerFromHeight) {
        musicSlot.playIfIdle(clip129);
        return;
    }
    state = TuneState::danger;
    musicSlot.stop();
    musicSlot.playIfIdle(clip130);
}

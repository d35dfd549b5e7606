#include "input/frame_pacer.h"

#include "platform/platform.h"

namespace {

// The tick count at the end of the last wait, or at the start of the timer.
uint32_t frameMark = 0;

} // namespace

void startFrameTimer() {
    frameMark = platform::tickCount();
}

uint32_t waitFrame(uint32_t period) {
    uint32_t previous = frameMark;
    uint32_t now = platform::tickCount();
    uint32_t elapsed = now - frameMark; // unsigned: right across the tick counter's wrap
    if (period > elapsed) platform::sleepMs(period - elapsed);
    frameMark = platform::tickCount();
    return now - previous;
}

uint32_t waitFrames(uint32_t frames) {
    return waitFrame(frames * kFrameMs);
}

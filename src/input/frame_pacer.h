#pragma once
// Holds frames to a minimum length by sleeping away the rest of the period. A late frame is not
// caught up: the next period counts from the end of the wait, so a slow machine plays slower.
#include <cstdint>

constexpr uint32_t kFrameMs = 33;

// Marks now as the end of the last frame. It is the timer's only reset: the mark is not kept
// anywhere else.
void startFrameTimer();
// Sleeps until period ms have passed since the last mark; returns the ms from the last mark to
// the call.
uint32_t waitFrame(uint32_t period);
uint32_t waitFrames(uint32_t frames);

#pragma once
// The lines of a run's trace, written alike by the headless backend and the record layer: each
// starts with the run's time in ms, and the file is null when no trace is kept.
#include <cstdint>
#include <cstdio>

namespace platform {

void tracePresent(std::FILE* trace, uint32_t ms, uint64_t pictureHash);
void traceSoundEvent(std::FILE* trace, uint32_t ms, const char* action, int clip, int result);
// The box's text on one line: each line feed is written as \n.
void traceBox(std::FILE* trace, uint32_t ms, const char* title, const char* text);
void traceExit(std::FILE* trace, uint32_t ms, int exitCode);

} // namespace platform

#pragma once
// The lines of a headless run's trace, each "MS KIND ...": presents, sounds, boxes and the exit.
#include <cstdint>
#include <string>
#include <vector>

struct TraceEvent {
    uint32_t ms = 0;
    std::string text; // what follows the time, such as "sound play 128 0"
};

// The events whose text is exactly `text`, in order.
std::vector<TraceEvent> traceEvents(const std::vector<std::string>& trace, const std::string& text);

struct SoundEvent {
    uint32_t ms = 0;
    std::string action; // open, play, stop or close
    int clip = 0;
    int result = 0;
    // "ACTION CLIP RESULT", as the in-process probe lists sounds.
    std::string line() const;
};

std::vector<SoundEvent> soundEvents(const std::vector<std::string>& trace);

// Whether a line has one of the four forms the trace may hold.
bool isTraceLine(const std::string& line);

#pragma once
// Clips that count as playing for their length on a clock the backend gives: the headless
// backend's virtual one, the page's game clock. The game gets the same answers from both, and
// those answers do not hang on whether any sound is really heard.
#include <cstdint>
#include <vector>

namespace platform {

struct TimedClip {
    bool open = false;
    uint32_t lengthMs = 0;
    bool started = false;
    uint32_t startMs = 0;
};

using TimedClips = std::vector<TimedClip>;

// Adds an open clip of this length and returns its handle.
int openTimedClip(TimedClips& clips, uint32_t lengthMs);
// The seam's results: 0, or kAudioErrorBadHandle for a handle that is not an open clip.
int playTimedClip(TimedClips& clips, int handle, uint32_t now);
int stopTimedClip(TimedClips& clips, int handle);
int timedClipPlaying(TimedClips& clips, int handle, uint32_t now, int& playing);
int closeTimedClip(TimedClips& clips, int handle);

} // namespace platform

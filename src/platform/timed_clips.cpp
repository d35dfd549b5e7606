#include "platform/timed_clips.h"

#include "platform/platform.h"

namespace platform {

namespace {

TimedClip* find(TimedClips& clips, int handle) {
    if (handle < 0 || size_t(handle) >= clips.size() || !clips[size_t(handle)].open) return nullptr;
    return &clips[size_t(handle)];
}

} // namespace

int openTimedClip(TimedClips& clips, uint32_t lengthMs) {
    clips.push_back(TimedClip{true, lengthMs, false, 0});
    return int(clips.size()) - 1;
}

int playTimedClip(TimedClips& clips, int handle, uint32_t now) {
    TimedClip* clip = find(clips, handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = true;
    clip->startMs = now;
    return 0;
}

int stopTimedClip(TimedClips& clips, int handle) {
    TimedClip* clip = find(clips, handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->started = false;
    return 0;
}

int timedClipPlaying(TimedClips& clips, int handle, uint32_t now, int& playing) {
    TimedClip* clip = find(clips, handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    playing = clip->started && now - clip->startMs < clip->lengthMs;
    return 0;
}

int closeTimedClip(TimedClips& clips, int handle) {
    TimedClip* clip = find(clips, handle);
    if (clip == nullptr) return kAudioErrorBadHandle;
    clip->open = false;
    return 0;
}

} // namespace platform

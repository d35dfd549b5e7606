#pragma once
// Sound on the virtual clock: a clip plays for its WAV file's length, and every operation the
// game makes goes to the trace.
namespace platform::headless {

int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);
void traceSound(const char* action, int clip, int result);

} // namespace platform::headless

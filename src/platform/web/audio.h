#pragma once
// The game's clips on WebAudio, one voice each. Whether a clip is playing is told by its length
// on the game's clock, as the headless backend does, so the game sees the same answers whether
// or not the browser has let the sound start yet.
namespace platform::web {

int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);

} // namespace platform::web

#pragma once
// The game's clips on SDL2_mixer, one mixing channel each.
namespace platform::sdl {

int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);
// Main thread: holds every clip where it is, or lets them go on; silences them all, or not. Neither
// changes what the game's calls return.
void pauseAudio(bool paused);
void muteAudio(bool muted);

} // namespace platform::sdl

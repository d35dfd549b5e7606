#pragma once
// The game's clips on SDL2_mixer, one mixing channel each.
namespace platform::sdl {

int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);

} // namespace platform::sdl

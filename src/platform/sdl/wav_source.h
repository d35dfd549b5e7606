#pragma once
// The WAV check of platform/wav_file.h, handing the SDL backend the file it checked.
#include <SDL.h>

#include <cstdint>

namespace platform {

// As openWavFile; on success source is the file rewound to its start, for the caller to read
// and close.
int openWavSource(const char* path, uint32_t& lengthMs, SDL_RWops*& source);

} // namespace platform

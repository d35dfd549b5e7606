#pragma once
// A sound clip's WAV file, read by SDL's own decoder for both audio backends, so that a headless
// run accepts and refuses exactly the files a real sound device would. The reader lives with the
// SDL backend (platform/sdl/wav_file.cpp), the only code that knows SDL.
#include <cstdint>

struct SDL_RWops;

namespace platform {

// Opens path when it is a regular file that SDL decodes as WAV audio: returns 0 with the clip's
// length in ms (rounded up) and, when source is given, the file rewound to its start for the
// caller to read and close. Returns kAudioErrorBadFile for anything else, missing files included.
int openWavFile(const char* path, uint32_t& lengthMs, SDL_RWops** source = nullptr);

} // namespace platform

#pragma once
// A sound clip's WAV file, judged by the one decoder both audio backends share, so that a headless
// run accepts and refuses exactly the files a real sound device would. The decoder is SDL's, and
// lives with the SDL backend (platform/sdl/wav_file.cpp); this header names none of its types.
#include <cstdint>

namespace platform {

// Returns 0 with the clip's length in ms (rounded up) when path is a regular file that decodes as
// WAV audio, else kAudioErrorBadFile, missing files included.
int openWavFile(const char* path, uint32_t& lengthMs);

} // namespace platform

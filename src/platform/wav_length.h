#pragma once
// Our own reading of a WAV file's length, for builds without SDL's decoder (Windows): it takes
// the encodings a sound device plays without a codec (PCM, floats, A-law and mu-law) and gives
// the length SDL's decoder gives for them.
#include <cstddef>
#include <cstdint>

namespace platform {

// 0 with the length in ms (rounded up) of the whole sample frames the file holds, else
// kAudioErrorBadFile.
int wavLength(const uint8_t* bytes, size_t size, uint32_t& lengthMs);
// The same for a file, which must be a regular one.
int wavFileLength(const char* path, uint32_t& lengthMs);

} // namespace platform

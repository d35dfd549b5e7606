// A clip's WAV file as the Windows build judges it, with no SDL to decode it.
#include "platform/wav_file.h"

#include "platform/wav_length.h"

namespace platform {

int openWavFile(const char* path, uint32_t& lengthMs) {
    return wavFileLength(path, lengthMs);
}

} // namespace platform

#pragma once
// Samples saved as a WAVE file.
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// Writes 16-bit mono PCM samples as a RIFF WAVE file. Returns false on an I/O failure.
bool writeWav(const std::string& path, const std::vector<int16_t>& samples, int rate);

} // namespace assets

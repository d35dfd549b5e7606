#pragma once
// The game's tunes and effects, made from our own synthesis.
#include <string>

namespace assets {

// Synthesises every tune and effect and writes it into the folder as NUMBER.wav. Reports a
// failure on stderr and returns false.
bool writeSounds(const std::string& folder);

} // namespace assets

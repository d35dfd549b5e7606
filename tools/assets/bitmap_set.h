#pragma once
// The game's bitmaps, drawn by our own code.
#include <string>

namespace assets {

// Draws every bitmap, tunes each to the checksum the game expects and writes it into the folder
// as NAME.bmp. Reports a failure on stderr and returns false.
bool writeBitmaps(const std::string& folder);

} // namespace assets

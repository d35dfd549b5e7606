#pragma once
// The desktop icons, in the hicolor theme's layout.
#include <string>

namespace assets {

// The sizes the icon is drawn at, in pixels.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Writes FOLDER/hicolor/NxN/apps/vorblet.png for every size. Reports a failure on stderr and
// returns false.
bool writeIcons(const std::string& folder);

} // namespace assets

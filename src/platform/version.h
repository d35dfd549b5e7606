#pragma once
// The program's version, which the window's caption, --version and the package all show.
#define VORBLET_VERSION "1.0.5"

namespace platform {

constexpr const char* kVersion = VORBLET_VERSION;
constexpr const char* kCaption = "Vorblet v" VORBLET_VERSION;

} // namespace platform

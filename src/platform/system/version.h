#pragma once
// The game's version, as the window caption, --version, the package and the metadata show it.
// The build reads it from the VORBLET_VERSION line for the package; a test holds the metadata
// and the manual page to it.
namespace platform {

#define VORBLET_VERSION "1.0.5"
constexpr const char* kVersion = VORBLET_VERSION;
constexpr const char* kCaption = "Vorblet v" VORBLET_VERSION;

} // namespace platform

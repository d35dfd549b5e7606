#pragma once
// The game's version, as the window caption, --version, the package and the metadata show it.
// The build reads it from the kVersion line for the package; a test holds the metadata and the
// manual page to it.
namespace platform {

constexpr const char* kVersion = "1.0.5";
constexpr const char* kCaption = "Vorblet v1.0.5";

} // namespace platform

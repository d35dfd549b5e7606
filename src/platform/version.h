#pragma once
// The game's version, as the window caption, the package and the metadata show it. The build
// reads it from this line for the package; a test holds the metadata and the manual page to it.
namespace platform {

constexpr const char* kVersion = "1.0.5";

} // namespace platform

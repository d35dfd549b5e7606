#pragma once
// The game's version, the one number the window caption, the package and the metadata all show.
// The build reads it from this line, so it is written here and nowhere else.
namespace platform {

constexpr const char* kVersion = "1.0.5";

} // namespace platform

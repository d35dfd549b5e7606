#pragma once
// Opening the game's own files without ever waiting on them: a FIFO, a device or a folder in
// place of a bitmap, a sound or the score file is refused as a missing file would be, where a
// plain open would block the game thread for as long as nobody writes to the other end.
#include <cerrno>
#include <cstdio>

namespace platform {

// The file opened for reading in binary mode, or null with errno set when it cannot be opened:
// kNotARegularFile when it is there but is not a regular file. Symbolic links are followed.
std::FILE* openRegularFile(const char* path);
constexpr int kNotARegularFile = EINVAL;

} // namespace platform

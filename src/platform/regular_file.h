#pragma once
// Opening the game's own files without ever waiting on them: a FIFO, a device or a folder in
// place of a bitmap, a sound or the score file is refused as a missing file would be, where a
// plain open would block the game thread for as long as nobody writes to the other end.
#include <cstdio>

namespace platform {

// The file opened for reading in binary mode, or null (errno set) when it cannot be opened or is
// not a regular file. Symbolic links are followed.
std::FILE* openRegularFile(const char* path);
// True when path names a regular file (after following links).
bool isRegularFile(const char* path);

} // namespace platform

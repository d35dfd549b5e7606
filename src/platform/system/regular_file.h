#pragma once
// Opening the game's own files without ever waiting on them: a FIFO, a device or a folder in
// place of a bitmap, a sound or the score file is refused as a missing file would be, where a
// plain open would block the game thread for as long as nobody writes to the other end.
#include <cerrno>
#include <cstddef>
#include <cstdio>

namespace platform {

// The file opened for reading in binary mode, or null with errno set when it cannot be opened:
// kNotARegularFile when it is there but is not a regular file. Symbolic links are followed.
std::FILE* openRegularFile(const char* path);
constexpr int kNotARegularFile = EINVAL;

// The size of an open file in bytes, or -1 when the system does not say.
long long fileSize(std::FILE* file);

// Appends the rest of an open file to bytes (a string or a byte vector) and closes the file. True
// when it was all read and came to at most `limit` bytes; a longer file stops being read a little
// past the limit and gives false with errno EFBIG, a read error false.
template <class Bytes> bool readToEnd(std::FILE* file, size_t limit, Bytes& bytes) {
    char buffer[8192];
    size_t count = 0;
    while (bytes.size() <= limit && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) return false;
    if (bytes.size() <= limit) return true;
    errno = EFBIG;
    return false;
}

} // namespace platform

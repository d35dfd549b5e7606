#pragma once
// A file written under a temporary name beside the path it is for and renamed onto that path at
// the end, so that a file cut short, failed or refused leaves whatever was at the path as it was.
// It takes the place only of a new name or of a regular file of this user's, never of a link, a
// FIFO, a device or a file the game must keep.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct StagedFile {
    int fd = -1; // the temporary's descriptor; -1 when none is open
    std::string path, temporary;
    int64_t whole = 0; // the temporary's length after its last whole append
    std::vector<std::string> kept;
};

// Creates the temporary for path, with the mode of the file it will replace. Null when it is
// open, else why not: path is anything but a new name or a regular file of this user's, or is one
// of `kept` (compared as files, whatever names reach them), or the system's error.
const char* openStaged(StagedFile& file, const char* path, const std::vector<std::string>& kept);
// Appends every byte, true when all went; else false with errno set, and the temporary is cut
// back to its last whole append where it can be (cutBack).
bool appendStaged(StagedFile& file, const void* bytes, size_t size, bool& cutBack);
// Closes the temporary and renames it onto the path, checking the path again: what is there may
// have changed meanwhile. Null when it took the path's place, else why not (the temporary then
// stays where it is). closeError is the error of a close that lost data, else 0.
const char* commitStaged(StagedFile& file, int& closeError);
// Closes and removes the temporary, leaving the path as it was.
void dropStaged(StagedFile& file);

} // namespace platform

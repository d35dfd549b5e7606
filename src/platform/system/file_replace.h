#pragma once
// Replacing a small file's contents through a new file renamed over it, so that a save cut short
// at any point leaves either the old contents or the new ones, never an empty or partly written
// file. Only where no new file can be made beside it (a folder this user may not write) is the
// file rewritten in place, which beats losing the new contents.
#include <cstddef>

#include <string>

// The path a chain of symbolic links ends at, whether or not a file is there; empty (errno set)
// when the chain cannot be read or does not end.
std::string resolveLinks(std::string path);

// Writes size bytes as the new contents of the file at path, 1 for success, 0 for failure with
// errno telling why. On a full disk the file is rewritten in place rather than not at all.
// A symbolic link stays a link and the file it points to gets the contents. Anything but a
// regular file at the path (a FIFO, a device, a folder) and a file this user may not write are
// left alone. The new file keeps the old one's mode and, where allowed, its owner.
int replaceFile(const char* path, const void* bytes, size_t size);

// Writes every byte to fd, through short writes and interruptions; false with errno set.
bool writeAll(int fd, const void* bytes, size_t size);

// A new file named prefix and six letters or digits, created exclusively (mode 0666 less the
// umask) and never through a link, and locked so that a clean-up of stale temporaries leaves it
// alone; its descriptor, or -1 with errno set.
int createTemporary(const std::string& prefix, std::string& name);

// prefix and six random letters or digits: the name of a temporary file.
std::string temporaryName(const std::string& prefix);

// True when name is one of replaceFile's temporary files for the file called fileName, which
// are fileName, a dot and six letters or digits.
bool isTemporaryName(const char* name, const char* fileName);

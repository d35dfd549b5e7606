#pragma once
// Each system's own part of the file lock (file_lock.h): opening the lock file, one try at the
// lock, and letting it go.
#include <string>

namespace platform {

// The lock file's descriptor, made when missing, or -1.
int openLockFile(const std::string& path);

enum class LockTry { locked, busy, unsupported };
LockTry tryLockFile(int fd);

void closeLockFile(int fd);

} // namespace platform

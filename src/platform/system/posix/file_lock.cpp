#include "platform/system/lock_primitives.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// The lock file, never through a link and never blocking on a FIFO planted in its place. A copy
// that may only read it (it was made by another user, root say) still locks it: flock needs no
// write access.
int openLockFile(const std::string& path) {
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd < 0) return -1;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

LockTry tryLockFile(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return LockTry::locked;
    return errno == EWOULDBLOCK || errno == EINTR ? LockTry::busy : LockTry::unsupported;
}

void closeLockFile(int fd) {
    ::close(fd);
}

} // namespace platform

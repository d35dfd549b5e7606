#include "platform/system/file_lock.h"

#include "platform/system/file_replace.h"
#include "platform/test_hooks.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kPollMs = 10;

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

} // namespace

FileLock lockFile(const char* path) {
    const std::string target = resolveLinks(path);
    if (target.empty()) return {};
    const std::string lockPath = target + ".lock";
    const int saved = errno;
    FileLock lock{openLockFile(lockPath)};
    if (lock.fd < 0) {
        errno = saved;
        return lock;
    }
    // flock has no time limit of its own, so a lock held too long is waited for by polling.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kFileLockWaitMs);
    for (bool waiting = false;;) {
        if (::flock(lock.fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // No locks on this file system: the save goes on as it did before there were locks.
            unlockFile(lock);
            break;
        }
        // A test learns here that this copy waits for another.
        if (!waiting && platform::testHookArmed("lock-wait"))
            platform::testHookReached("lock-wait");
        waiting = true;
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr,
                         "vorblet: another copy of the game has held %s for %d s; saving without "
                         "waiting longer\n",
                         lockPath.c_str(), kFileLockWaitMs / 1000);
            unlockFile(lock);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    errno = saved;
    return lock;
}

void unlockFile(FileLock& lock) {
    // Closing the last descriptor lets the lock go; the caller's errno still tells of its save.
    const int saved = errno;
    if (lock.fd >= 0) ::close(lock.fd);
    lock.fd = -1;
    errno = saved;
}

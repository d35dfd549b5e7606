#include "platform/system/file_lock.h"

#include "platform/system/file_replace.h"
#include "platform/system/win32/wide.h"
#include "platform/test_hooks.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <sys/stat.h>
#include <thread>

#include "platform/system/win32/win32.h"

namespace {

constexpr int kPollMs = 10;

bool tryLock(int fd) {
    OVERLAPPED whole{};
    return LockFileEx(HANDLE(_get_osfhandle(fd)),
                      LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) != 0;
}

} // namespace

FileLock lockFile(const char* path) {
    const std::string target = resolveLinks(path);
    if (target.empty()) return {};
    const std::string lockPath = target + ".lock";
    const int saved = errno;
    FileLock lock{_wopen(platform::widePath(lockPath).c_str(), _O_RDWR | _O_CREAT | _O_BINARY,
                         _S_IREAD | _S_IWRITE)};
    if (lock.fd < 0) {
        errno = saved;
        return lock;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kFileLockWaitMs);
    for (bool waiting = false;;) {
        if (tryLock(lock.fd)) break;
        if (GetLastError() != ERROR_LOCK_VIOLATION) {
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
    // Closing the file lets the lock go; the caller's errno still tells of its save.
    const int saved = errno;
    if (lock.fd >= 0) _close(lock.fd);
    lock.fd = -1;
    errno = saved;
}

#include "platform/system/file_lock.h"

#include "platform/system/file_replace.h"
#include "platform/system/lock_primitives.h"
#include "platform/test_hooks.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr int kPollMs = 10;

} // namespace

FileLock lockFile(const char* path) {
    const std::string target = resolveLinks(path);
    if (target.empty()) return {};
    const std::string lockPath = target + ".lock";
    const int saved = errno;
    FileLock lock{platform::openLockFile(lockPath)};
    if (lock.fd < 0) {
        errno = saved;
        return lock;
    }
    // A lock with no time limit of its own, so one held too long is waited for by polling.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kFileLockWaitMs);
    for (bool waiting = false;;) {
        const platform::LockTry result = platform::tryLockFile(lock.fd);
        if (result == platform::LockTry::locked) break;
        if (result == platform::LockTry::unsupported) {
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
    if (lock.fd >= 0) platform::closeLockFile(lock.fd);
    lock.fd = -1;
    errno = saved;
}

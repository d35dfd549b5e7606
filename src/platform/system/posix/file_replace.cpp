#include "platform/system/file_replace.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinks = 40;
constexpr int kMostAttempts = 16;

} // namespace

std::string resolveLinks(std::string path) {
    for (int hops = 0; hops < kMostLinks; ++hops) {
        struct stat status;
        if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT ? path : std::string();
        if (!S_ISLNK(status.st_mode)) return path;
        std::error_code error;
        fs::path next = fs::read_symlink(path, error);
        if (error) {
            errno = error.value();
            return {};
        }
        path = (fs::path(path).parent_path() / next).string();
    }
    errno = ELOOP;
    return {};
}

namespace {

// A save that was cut short leaves its temporary file behind. Only our own regular files of
// the temporary pattern go, and only when no save still running holds them locked.
void removeStaleTemporaries(const fs::path& folder, const std::string& fileName) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!isTemporaryName(name.c_str(), fileName.c_str())) continue;
        const std::string path = entry->path().string();
        struct stat named;
        if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) ||
            named.st_uid != ::geteuid())
            continue;
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened;
        // The name is checked again under the lock: it must still be the file we locked.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// With no room for a temporary file beside it, the file is rewritten where it stands: a save cut
// short may leave it mixed, where refusing would surely lose the run's scores. The new bytes go
// first and the old tail is cut after, so the file is never empty.
int writeInPlace(const std::string& target, const void* bytes, size_t size) {
    int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat status;
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && writeAll(fd, bytes, size) &&
              ::ftruncate(fd, off_t(size)) == 0 && ::fsync(fd) == 0;
    const int failure = errno;
    if (::close(fd) != 0 && ok) return 0;
    errno = failure;
    return ok ? 1 : 0;
}

} // namespace

bool writeAll(int fd, const void* bytes, size_t size) {
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(fd, at, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        at += written;
        size -= size_t(written);
    }
    return true;
}

int createTemporary(const std::string& prefix, std::string& name) {
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        name = temporaryName(prefix);
        int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        // A clean-up may have taken the file between its creation and our lock: it holds the
        // lock while it removes the file, and afterwards the file has no name left. On a file
        // system without locks the file is used unlocked.
        struct stat status;
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
        if (locked && ::fstat(fd, &status) == 0 && status.st_nlink > 0) return fd;
        if (!locked) ::unlink(name.c_str());
        ::close(fd);
    }
    return -1;
}

int replaceFile(const char* path, const void* bytes, size_t size) {
    const std::string target = resolveLinks(path);
    if (target.empty()) return 0;
    struct stat old;
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        return 0;
    }
    // The permission is asked of the system, which knows who owns the file and who we are.
    if (exists && ::access(target.c_str(), W_OK) != 0) return 0;

    const fs::path targetPath(target);
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
    const std::string fileName = targetPath.filename().string();
    removeStaleTemporaries(folder, fileName);
    std::string temporary;
    int fd = createTemporary((folder / fileName).string() + ".", temporary);
    if (fd < 0) return exists ? writeInPlace(target, bytes, size) : 0;

    bool ok = true;
    if (exists) {
        // A save run by another user (root, say) must not take the player's file away; only
        // the system may refuse to give it back.
        ok = ::fchown(fd, old.st_uid, old.st_gid) == 0 || errno == EPERM;
        ok = ok && ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes, size) && ::fsync(fd) == 0;
    // Renamed while still open and locked, so no clean-up can take it first.
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    const int failure = errno;
    if (!ok) ::unlink(temporary.c_str());
    ::close(fd);
    if (!ok) {
        // A full disk has no room for a second copy, but the old file's own blocks take the new
        // contents of the same small size.
        if (exists && (failure == ENOSPC || failure == EDQUOT))
            return writeInPlace(target, bytes, size);
        errno = failure;
        return 0;
    }
    syncFolder(folder);
    return 1;
}

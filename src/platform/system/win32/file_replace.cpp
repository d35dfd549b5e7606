#include "platform/system/file_replace.h"

#include "platform/system/win32/wide.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <sys/stat.h>

#include "platform/system/win32/win32.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinks = 40;
constexpr int kMostAttempts = 16;

// With no room for a temporary file beside it, the file is rewritten where it stands: a save cut
// short may leave it mixed, where refusing would surely lose the run's scores.
int writeInPlace(const std::string& target, const void* bytes, size_t size) {
    const int fd = _wopen(platform::widePath(target).c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0) return 0;
    const bool ok = writeAll(fd, bytes, size) && _chsize_s(fd, static_cast<long long>(size)) == 0 &&
                    _commit(fd) == 0;
    const int failure = errno;
    if (_close(fd) != 0 && ok) return 0;
    errno = failure;
    return ok ? 1 : 0;
}

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    default:
        return EIO;
    }
}

} // namespace

std::string resolveLinks(std::string path) {
    for (int hops = 0; hops < kMostLinks; ++hops) {
        std::error_code error;
        const fs::path at(platform::widePath(path));
        if (!fs::is_symlink(fs::symlink_status(at, error))) return path;
        const fs::path next = fs::read_symlink(at, error);
        if (error) {
            errno = error.value();
            return {};
        }
        path = platform::utf8Path((at.parent_path() / next).wstring());
    }
    errno = ELOOP;
    return {};
}

bool writeAll(int fd, const void* bytes, size_t size) {
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const unsigned chunk = size > 1u << 30 ? 1u << 30 : unsigned(size);
        const int written = _write(fd, at, chunk);
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
        const int fd = _wopen(platform::widePath(name).c_str(),
                              _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) return fd;
        if (errno != EEXIST) return -1;
    }
    return -1;
}

int replaceFile(const char* path, const void* bytes, size_t size) {
    const std::string target = resolveLinks(path);
    if (target.empty()) return 0;
    const std::wstring wideTarget = platform::widePath(target);
    const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        return 0;
    }
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return 0;
    }
    std::string temporary;
    const int fd = createTemporary(target + ".", temporary);
    if (fd < 0) return exists ? writeInPlace(target, bytes, size) : 0;
    bool ok = writeAll(fd, bytes, size) && _commit(fd) == 0;
    int failure = errno;
    ok = _close(fd) == 0 && ok;
    const std::wstring wideTemporary = platform::widePath(temporary);
    // The new file takes the old one's name in one step, written through to the disk.
    if (ok && !MoveFileExW(wideTemporary.c_str(), wideTarget.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = errnoOf(GetLastError());
        ok = false;
    }
    if (!ok) {
        DeleteFileW(wideTemporary.c_str());
        if (exists && failure == ENOSPC) return writeInPlace(target, bytes, size);
        errno = failure;
        return 0;
    }
    return 1;
}

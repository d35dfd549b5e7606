#include "platform/system/staged_file.h"

#include "platform/system/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Why the staged file may not take the place of what is at path, or null when it may. Nothing
// there is opened, so a FIFO or a device never blocks the game.
const char* refusal(const std::string& path, const std::vector<std::string>& kept, struct stat& old,
                    bool& exists) {
    exists = false;
    if (lstat(path.c_str(), &old) != 0) return errno == ENOENT ? nullptr : std::strerror(errno);
    exists = true;
    if (S_ISLNK(old.st_mode)) return "it is a symbolic link";
    if (!S_ISREG(old.st_mode)) return "it is not a regular file";
    if (old.st_uid != geteuid()) return "it belongs to another user";
    for (const std::string& name : kept) {
        struct stat own;
        if (stat(name.c_str(), &own) == 0 && own.st_dev == old.st_dev && own.st_ino == old.st_ino)
            return "it is one of the game's own files";
    }
    return nullptr;
}

} // namespace

const char* openStaged(StagedFile& file, const char* path, const std::vector<std::string>& kept) {
    file = StagedFile{};
    struct stat old;
    bool exists = false;
    if (const char* why = refusal(path, kept, old, exists)) return why;
    std::string temporary;
    const int fd = createTemporary(std::string(path) + ".", temporary);
    if (fd < 0) return std::strerror(errno);
    // A file that takes an old one's place keeps its mode.
    if (exists && fchmod(fd, old.st_mode & 0777) != 0) {
        const int error = errno;
        close(fd);
        unlink(temporary.c_str());
        return std::strerror(error);
    }
    file.fd = fd;
    file.path = path;
    file.temporary = temporary;
    file.kept = kept;
    return nullptr;
}

bool appendStaged(StagedFile& file, const void* bytes, size_t size, bool& cutBack) {
    cutBack = false;
    if (writeAll(file.fd, bytes, size)) {
        file.whole += int64_t(size);
        return true;
    }
    const int error = errno;
    cutBack = ftruncate(file.fd, off_t(file.whole)) == 0;
    errno = error;
    return false;
}

const char* commitStaged(StagedFile& file, int& closeError) {
    closeError = close(file.fd) == 0 ? 0 : errno;
    file.fd = -1;
    struct stat old;
    bool exists = false;
    const char* why = refusal(file.path, file.kept, old, exists);
    if (why == nullptr && rename(file.temporary.c_str(), file.path.c_str()) != 0)
        why = std::strerror(errno);
    return why;
}

void dropStaged(StagedFile& file) {
    if (file.fd < 0) return;
    close(file.fd);
    unlink(file.temporary.c_str());
    file = StagedFile{};
}

} // namespace platform

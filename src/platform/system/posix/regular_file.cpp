#include "platform/system/regular_file.h"

#include "platform/test_hooks.h"

#include <cerrno>
#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

std::FILE* openRegularFile(const char* path) {
    stallOpenIfArmed(path);
    // Non-blocking, so that opening a FIFO with no writer returns at once; the type is then
    // checked on the descriptor itself, which no rename can swap behind our back.
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat status;
    const bool known = ::fstat(fd, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        const int error = known ? kNotARegularFile : errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) ::close(fd);
    return file;
}

long long fileSize(std::FILE* file) {
    struct stat status;
    return fstat(fileno(file), &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

} // namespace platform

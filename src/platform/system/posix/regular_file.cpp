#include "platform/system/regular_file.h"

#include "platform/test_hooks.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// A test stands in for a hung network folder: opening the named file never returns.
void stallIfArmed(const char* path) {
    const std::string name = testHookArgument("stall-open");
    const size_t length = std::strlen(path);
    if (name.empty() || length < name.size() || name != path + (length - name.size())) return;
    testHookReached("stall-open");
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

} // namespace

std::FILE* openRegularFile(const char* path) {
    stallIfArmed(path);
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

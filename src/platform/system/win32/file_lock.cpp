#include "platform/system/lock_primitives.h"

#include "platform/system/win32/wide.h"
#include "platform/system/win32/win32.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace platform {

int openLockFile(const std::string& path) {
    return _wopen(widePath(path).c_str(), _O_RDWR | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}

LockTry tryLockFile(int fd) {
    OVERLAPPED whole{};
    if (LockFileEx(HANDLE(_get_osfhandle(fd)), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                   0, 1, 0, &whole) != 0)
        return LockTry::locked;
    return GetLastError() == ERROR_LOCK_VIOLATION ? LockTry::busy : LockTry::unsupported;
}

void closeLockFile(int fd) {
    _close(fd);
}

} // namespace platform

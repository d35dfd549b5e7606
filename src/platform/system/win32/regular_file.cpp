#include "platform/system/regular_file.h"

#include "platform/system/win32/wide.h"
#include "platform/test_hooks.h"

#include <sys/stat.h>

#include "platform/system/win32/win32.h"

namespace platform {

std::FILE* openRegularFile(const char* path) {
    stallOpenIfArmed(path);
    const std::wstring wide = widePath(path);
    // Opened first and asked after, so that what is checked is what was opened.
    std::FILE* file = _wfopen(wide.c_str(), L"rb");
    if (file == nullptr) return nullptr;
    const HANDLE handle = HANDLE(_get_osfhandle(_fileno(file)));
    if (GetFileType(handle) != FILE_TYPE_DISK ||
        (GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        std::fclose(file);
        errno = kNotARegularFile;
        return nullptr;
    }
    return file;
}

long long fileSize(std::FILE* file) {
    struct _stat64 status;
    return _fstat64(_fileno(file), &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

} // namespace platform

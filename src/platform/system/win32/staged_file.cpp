#include "platform/system/staged_file.h"

#include "platform/system/file_replace.h"
#include "platform/system/win32/wide.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <io.h>

#include "platform/system/win32/win32.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

// Why the staged file may not take the place of what is at path, or null when it may.
const char* refusal(const std::string& path, const std::vector<std::string>& kept) {
    std::error_code error;
    const fs::path at(widePath(path));
    const fs::file_status status = fs::symlink_status(at, error);
    if (!fs::exists(status)) return nullptr;
    if (fs::is_symlink(status)) return "it is a symbolic link";
    if (!fs::is_regular_file(status)) return "it is not a regular file";
    for (const std::string& name : kept)
        if (fs::equivalent(at, fs::path(widePath(name)), error))
            return "it is one of the game's own files";
    return nullptr;
}

} // namespace

const char* openStaged(StagedFile& file, const char* path, const std::vector<std::string>& kept) {
    file = StagedFile{};
    if (const char* why = refusal(path, kept)) return why;
    std::string temporary;
    const int fd = createTemporary(std::string(path) + ".", temporary);
    if (fd < 0) return std::strerror(errno);
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
    cutBack = _chsize_s(file.fd, file.whole) == 0;
    errno = error;
    return false;
}

const char* commitStaged(StagedFile& file, int& closeError) {
    closeError = _close(file.fd) == 0 ? 0 : errno;
    file.fd = -1;
    const char* why = refusal(file.path, file.kept);
    if (why == nullptr &&
        !MoveFileExW(widePath(file.temporary).c_str(), widePath(file.path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        why = "it could not be replaced";
    return why;
}

void dropStaged(StagedFile& file) {
    if (file.fd < 0) return;
    _close(file.fd);
    DeleteFileW(widePath(file.temporary).c_str());
    file = StagedFile{};
}

} // namespace platform

#include "platform/system/executable_folder.h"

#include <climits>
#include <filesystem>
#include <system_error>

#ifdef __APPLE__
#include <cstdint>
#include <mach-o/dyld.h>
#endif

namespace platform {

std::string executableFolder() {
    std::error_code error;
#ifdef __APPLE__
    char buffer[PATH_MAX];
    uint32_t size = sizeof buffer;
    if (_NSGetExecutablePath(buffer, &size) != 0) return {};
    const std::filesystem::path program = std::filesystem::canonical(buffer, error);
#else
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
    if (error || !program.is_absolute()) return {};
    return program.parent_path().string();
}

} // namespace platform

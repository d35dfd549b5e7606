#include "platform/system/executable_folder.h"

#include "platform/system/win32/wide.h"

#include <filesystem>

#include "platform/system/win32/win32.h"

namespace platform {

std::string executableFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    return utf8Path(std::filesystem::path(buffer).parent_path().wstring());
}

} // namespace platform

#include "platform/system/user_folders.h"

#include "platform/system/win32/wide.h"

#include <cerrno>
#include <filesystem>

#include "platform/system/win32/win32.h"
#include <shlobj.h>

namespace fs = std::filesystem;

namespace platform {

namespace {

// %APPDATA%\Vorblet, where a Windows program keeps what its player leaves behind; empty when the
// system names no such folder.
std::string appDataFolder() {
    PWSTR folder = nullptr;
    std::string path;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK)
        path = utf8Path((fs::path(folder) / L"Vorblet").wstring());
    CoTaskMemFree(folder);
    return path;
}

} // namespace

std::string userDataFolder() {
    return appDataFolder();
}

std::string userConfigFolder() {
    return appDataFolder();
}

int makeFolderFor(const std::string& file) {
    const fs::path folder = fs::path(widePath(file)).parent_path();
    if (folder.empty()) return 1;
    std::error_code error;
    fs::create_directories(folder, error);
    if (fs::is_directory(folder, error)) return 1;
    errno = ENOTDIR;
    return 0;
}

} // namespace platform

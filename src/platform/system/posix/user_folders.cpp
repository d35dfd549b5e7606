#include "platform/system/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/')
        return {};
    return found->pw_dir;
}

// The game's folder under the XDG base folder that variable names, or under fallback in the home
// folder.
std::string gameFolderUnder(const char* variable, const char* fallback) {
    const char* base = std::getenv(variable);
    if (base != nullptr && base[0] == '/') return (fs::path(base) / "vorblet").string();
    const std::string home = homeFolder();
    if (home.empty()) return {};
    return (fs::path(home) / fallback / "vorblet").string();
}

} // namespace

std::string userDataFolder() {
    return gameFolderUnder("XDG_DATA_HOME", ".local/share");
}

std::string userConfigFolder() {
    return gameFolderUnder("XDG_CONFIG_HOME", ".config");
}

int makeFolderFor(const std::string& file) {
    const fs::path folder = fs::path(file).parent_path();
    if (folder.empty()) return 1;
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return 0;
    }
    std::error_code error;
    if (fs::is_directory(folder, error)) return 1;
    errno = ENOTDIR;
    return 0;
}

} // namespace platform

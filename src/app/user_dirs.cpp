#include "app/user_dirs.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

std::string scoreFile = "Vorblet.dat";

namespace {

constexpr const char* kScoreFileName = "Vorblet.dat";

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

} // namespace

std::string xdgDataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return data;
    const std::string home = homeFolder();
    if (home.empty()) return {};
    return (fs::path(home) / ".local" / "share").string();
}

std::string scoreFileFor(bool dataFromCurrentFolder) {
    if (dataFromCurrentFolder) return kScoreFileName;
    const std::string data = xdgDataHome();
    if (data.empty()) return {};
    return (fs::path(data) / "vorblet" / kScoreFileName).string();
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

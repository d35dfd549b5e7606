#include "app/data_dir.h"

#include "platform/system/executable_folder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// Where the build installs the data relative to the program, so that an installed tree found
// anywhere (a package unpacked in a scratch folder, a --prefix chosen at install time) finds its
// own data.
#ifndef VORBLET_DATA_FROM_BIN
#define VORBLET_DATA_FROM_BIN "../share/vorblet"
#endif

namespace {

bool holdsGameFiles(const std::string& folder) {
    std::error_code error;
    return fs::is_directory(fs::path(folder) / "BMP", error) &&
           fs::is_directory(fs::path(folder) / "wav", error);
}

bool sameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || fs::equivalent(a, b, error);
}

std::string currentFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string(".") : current.string();
}

} // namespace

std::vector<std::string> dataFolderCandidates(const std::string& current,
                                              const std::string& executable) {
    std::vector<std::string> candidates{current};
    if (!executable.empty()) {
        candidates.push_back(executable);
        candidates.push_back(
            (fs::path(executable) / VORBLET_DATA_FROM_BIN).lexically_normal().string());
    }
    std::vector<std::string> unique;
    for (const std::string& candidate : candidates) {
        bool seen = false;
        for (const std::string& kept : unique)
            seen = seen || sameFolder(kept, candidate);
        if (!seen) unique.push_back(candidate);
    }
    return unique;
}

DataFolder chooseDataFolder(const std::vector<std::string>& candidates,
                            const std::string& current) {
    DataFolder chosen;
    chosen.searched = candidates;
    chosen.fromCurrentFolder = true;
    for (const std::string& candidate : candidates) {
        if (!holdsGameFiles(candidate)) continue;
        if (!sameFolder(candidate, current)) {
            chosen.path = candidate;
            chosen.fromCurrentFolder = false;
        }
        break;
    }
    return chosen;
}

DataFolder findDataFolder(const char* given) {
    const std::string current = currentFolder();
    if (given == nullptr)
        return chooseDataFolder(dataFolderCandidates(current, platform::executableFolder()),
                                current);
    std::error_code error;
    const std::string folder = fs::absolute(given, error).lexically_normal().string();
    DataFolder chosen;
    chosen.searched = {folder};
    chosen.fromCurrentFolder = sameFolder(folder, current);
    if (!chosen.fromCurrentFolder) chosen.path = folder;
    return chosen;
}

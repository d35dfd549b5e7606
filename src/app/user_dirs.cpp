#include "app/user_dirs.h"

#include "platform/system/user_folders.h"

#include <filesystem>

std::string scoreFile = "Vorblet.dat";

namespace {

constexpr const char* kScoreFileName = "Vorblet.dat";

} // namespace

std::string scoreFileFor(bool dataFromCurrentFolder) {
    if (dataFromCurrentFolder) return kScoreFileName;
    const std::string data = platform::userDataFolder();
    if (data.empty()) return {};
    return (std::filesystem::path(data) / kScoreFileName).string();
}

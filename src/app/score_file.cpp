#include "app/score_file.h"

#include "platform/regular_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

int readDataFile(const char* name, void* destination, int count) {
    FILE* file = platform::openRegularFile(name);
    if (file == nullptr) return 0;
    int result = 1;
    auto* out = static_cast<uint8_t*>(destination);
    int got = 0;
    int c = std::fgetc(file);
    while (got < count && c != EOF) {
        int next = std::fgetc(file);
        if (c == 0x0D && next == 0x0A) {
            // The pair stands for one 0x0A data byte.
            c = 0x0A;
            next = std::fgetc(file);
        }
        out[got++] = uint8_t(c); // bytes land as they are read: a short file fills the front only
        c = next;
    }
    if (got < count || std::ferror(file)) result = 0;
    if (std::fclose(file) != 0) result = 0;
    return result;
}

namespace {

bool isWritable(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error) return false;
    return (status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                    fs::perms::others_write)) != fs::perms::none;
}

} // namespace

// The whole new file is written beside the old one and then renamed over it, so a failure at
// any point (a full disk, a read-only folder) leaves the old high scores as they were.
int writeDataFile(const char* name, const void* source, int count) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(name);
    // A read-only score file is the player's way to freeze it; a rename would replace it anyway.
    if (fs::exists(target, error) && !isWritable(target)) return 0;

    std::vector<uint8_t> bytes;
    const auto* in = static_cast<const uint8_t*>(source);
    for (int i = 0; i < count; ++i) {
        if (in[i] == 0x0A) bytes.push_back(0x0D);
        bytes.push_back(in[i]);
    }

    const std::string temporary = std::string(name) + ".new";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return 0;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) {
        fs::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok) fs::remove(temporary, error);
    return ok ? 1 : 0;
}

#include "platform/record/asset_sums.h"

#include "platform/system/regular_file.h"

#include <algorithm>
#include <cstdio>

namespace platform::record {

AssetSum sumFile(const std::string& path) {
    AssetSum sum;
    // Named alike on every system (BMP\128.bmp on Windows is BMP/128.bmp), so that a recording
    // made on one replays on another.
    sum.path = path;
    std::replace(sum.path.begin(), sum.path.end(), '\\', '/');
    std::FILE* file = openRegularFile(path.c_str());
    if (file == nullptr) return sum;
    uint8_t buffer[65536];
    uint64_t hash = hashBytes(nullptr, 0);
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        hash = hashBytes(buffer, count, hash);
        sum.size += count;
    }
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    if (!read) return AssetSum{sum.path};
    sum.present = true;
    sum.hash = hash;
    return sum;
}

std::vector<AssetSum> sumFiles(const std::vector<std::string>& paths) {
    std::vector<AssetSum> sums;
    for (const std::string& path : paths)
        sums.push_back(sumFile(path));
    return sums;
}

std::string compareSums(const std::vector<AssetSum>& recorded, const std::vector<AssetSum>& here) {
    for (const AssetSum& sum : recorded) {
        const AssetSum* mine = nullptr;
        for (const AssetSum& candidate : here)
            if (candidate.path == sum.path) mine = &candidate;
        if (mine == nullptr) return sum.path + " is not one of this game's files";
        if (sum.present && !mine->present) return sum.path + " is missing here";
        if (!sum.present && mine->present) return sum.path + " was missing when it was recorded";
        if (!(sum == *mine)) return sum.path + " differs from the one it was recorded with";
    }
    for (const AssetSum& mine : here) {
        bool known = false;
        for (const AssetSum& sum : recorded)
            known = known || sum.path == mine.path;
        if (!known) return mine.path + " was not part of the recording";
    }
    return "";
}

} // namespace platform::record

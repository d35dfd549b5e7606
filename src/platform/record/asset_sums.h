#pragma once
// The checksums of the game's artwork and sounds that a recording carries, and the comparison
// that refuses to replay it over other files.
#include "platform/record/format.h"

#include <string>
#include <vector>

namespace platform::record {

// The sum of a game file as it is on disk now; a missing or unreadable file counts as absent.
AssetSum sumFile(const std::string& path);
std::vector<AssetSum> sumFiles(const std::vector<std::string>& paths);
// Empty when the files here are those of the recording, else one line naming what differs.
std::string compareSums(const std::vector<AssetSum>& recorded, const std::vector<AssetSum>& here);

} // namespace platform::record

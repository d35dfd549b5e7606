#include "icon_set.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "icon.h"
#include "png_writer.h"

namespace assets {

bool writeIcons(const std::string& folder) {
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path apps =
            std::filesystem::path(folder) / "hicolor" / (side + "x" + side) / "apps";
        std::error_code error;
        std::filesystem::create_directories(apps, error);
        const std::string path = (apps / "vorblet.png").string();
        if (error || !writePng(path, drawIcon(size), true)) {
            std::fprintf(stderr, "vorblet_assets: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace assets

// Draws the artwork and synthesises the sounds into the game folder given as the argument:
// GAME-FOLDER/BMP/*.bmp and GAME-FOLDER/wav/*.wav. With --icons it draws the desktop icons
// instead, and with --png it turns a picture the game wrote (a --shot) into a PNG file for the
// README. Deterministic: the same program always writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/bitmap_set.h"
#include "assets/bmp_writer.h"
#include "assets/icon.h"
#include "assets/icon_set.h"
#include "assets/png_writer.h"
#include "assets/sound_set.h"
#include "gfx/bmp_decode.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: vorblet_assets GAME-FOLDER\n"
                         "       vorblet_assets --icons FOLDER\n"
                         "       vorblet_assets --png PICTURE.bmp PICTURE.png\n");
    return 2;
}

int writeGameFiles(const std::filesystem::path& game) {
    std::error_code error;
    std::filesystem::create_directories(game / "BMP", error);
    std::filesystem::create_directories(game / "wav", error);
    if (error) {
        std::fprintf(stderr, "vorblet_assets: cannot make folders in %s\n", game.c_str());
        return 1;
    }
    if (!assets::writeBitmaps((game / "BMP").string())) return 1;
    // The window's icon, beside the sheets so that it travels with them.
    if (!assets::writeBmp((game / "BMP" / "icon.bmp").string(), assets::drawIcon(64))) {
        std::fprintf(stderr, "vorblet_assets: cannot write the window icon\n");
        return 1;
    }
    if (!assets::writeSounds((game / "wav").string())) return 1;
    return 0;
}

int convertToPng(const char* bmpPath, const char* pngPath) {
    std::ifstream in(bmpPath, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    int32_t width = 0, height = 0;
    if (!in || readBmpSize(file.data(), file.size(), width, height) != 1) {
        std::fprintf(stderr, "vorblet_assets: %s is not a bitmap\n", bmpPath);
        return 1;
    }
    assets::Canvas canvas(width, height);
    if (decodeBmp(file.data(), file.size(), canvas.pixels.data(), canvas.pixels.size()) != 1 ||
        !assets::writePng(pngPath, canvas, false)) {
        std::fprintf(stderr, "vorblet_assets: cannot turn %s into %s\n", bmpPath, pngPath);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && argv[1][0] != '-') return writeGameFiles(argv[1]);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 3 && mode == "--icons") return assets::writeIcons(argv[2]) ? 0 : 1;
    if (argc == 4 && mode == "--png") return convertToPng(argv[2], argv[3]);
    return usage();
}

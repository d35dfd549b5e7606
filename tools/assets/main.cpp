// Draws the artwork and synthesises the sounds into the game folder given as the argument:
// GAME-FOLDER/BMP/*.bmp and GAME-FOLDER/wav/*.wav. Deterministic: the same program always
// writes the same bytes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "assets/bitmap_set.h"
#include "assets/sound_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorblet_assets GAME-FOLDER\n");
        return 2;
    }
    std::filesystem::path game(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(game / "BMP", error);
    std::filesystem::create_directories(game / "wav", error);
    if (error) {
        std::fprintf(stderr, "vorblet_assets: cannot make folders in %s\n", argv[1]);
        return 1;
    }
    if (!assets::writeBitmaps((game / "BMP").string())) return 1;
    if (!assets::writeSounds((game / "wav").string())) return 1;
    return 0;
}

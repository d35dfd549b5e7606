// Where the game looks for its files: the order of the folders, what counts as a folder of game
// files, and what --data-dir chooses.
#include "app/data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/game_run.h"

namespace fs = std::filesystem;

namespace {

// A scratch tree laid out as an installed game: <root>/home (the current folder),
// <root>/usr/bin (the program's folder) and <root>/usr/share/vorblet (its data).
class DataDirTest : public testing::Test {
  protected:
    void SetUp() override {
        root = makeGameFolder("tree", false);
        current = (root / "home").string();
        executable = (root / "usr" / "bin").string();
        installed = (root / "usr" / "share" / "vorblet").string();
        for (const std::string& folder : {current, executable, installed})
            fs::create_directories(folder);
        previous = fs::current_path();
    }
    void TearDown() override { fs::current_path(previous); }
    fs::path root, previous;
    std::string current, executable, installed;
};

TEST_F(DataDirTest, TheCandidatesAreTheCurrentTheProgramsAndTheInstalledFolder) {
    EXPECT_EQ(dataFolderCandidates(current, executable),
              (std::vector<std::string>{current, executable, installed}));
    // Started from its own folder, or with no known program folder, no folder is looked at twice.
    EXPECT_EQ(dataFolderCandidates(executable, executable),
              (std::vector<std::string>{executable, installed}));
    EXPECT_EQ(dataFolderCandidates(installed, executable),
              (std::vector<std::string>{installed, executable}));
    EXPECT_EQ(dataFolderCandidates(current, ""), (std::vector<std::string>{current}));
}

TEST_F(DataDirTest, TheFirstFolderWithBothBmpAndWavWins) {
    enum Holds { nothing, bmpOnly, wavOnly, both, bmpAsFile };
    struct Case {
        const char* name;
        Holds current, executable, installed;
        int chosen; // 0 current, 1 executable, 2 installed
    } cases[] = {
        {"all three", both, both, both, 0},
        {"current only", both, nothing, nothing, 0},
        {"program folder", nothing, both, both, 1},
        {"installed", nothing, nothing, both, 2},
        {"half a folder is passed over", wavOnly, bmpOnly, both, 2},
        {"a file named BMP is not a folder", bmpAsFile, nothing, both, 2},
        {"none: the current folder, to fail there", bmpOnly, nothing, wavOnly, 0},
    };
    for (const Case& c : cases) {
        const std::string folders[] = {current, executable, installed};
        const Holds holds[] = {c.current, c.executable, c.installed};
        for (int i = 0; i < 3; ++i) {
            for (const char* sub : {"BMP", "wav"})
                fs::remove_all(fs::path(folders[i]) / sub);
            if (holds[i] == bmpOnly || holds[i] == both)
                fs::create_directory(fs::path(folders[i]) / "BMP");
            if (holds[i] == wavOnly || holds[i] == both)
                fs::create_directory(fs::path(folders[i]) / "wav");
            if (holds[i] == bmpAsFile) {
                std::ofstream(fs::path(folders[i]) / "BMP") << "x";
                fs::create_directory(fs::path(folders[i]) / "wav");
            }
        }
        const std::vector<std::string> candidates{current, executable, installed};
        const DataFolder chosen = chooseDataFolder(candidates, current);
        EXPECT_EQ(chosen.fromCurrentFolder, c.chosen == 0) << c.name;
        // Files from the current folder keep their relative names, as they always had.
        EXPECT_EQ(chosen.path, c.chosen == 0 ? std::string() : folders[c.chosen]) << c.name;
        EXPECT_EQ(chosen.searched, candidates) << c.name;
    }
}

TEST_F(DataDirTest, TheGivenFolderIsTakenWhateverItHolds) {
    fs::current_path(current);
    const DataFolder given = findDataFolder("../usr/bin");
    EXPECT_EQ(given.path, executable);
    EXPECT_FALSE(given.fromCurrentFolder);
    EXPECT_EQ(given.searched, std::vector<std::string>{executable});
    // The current folder named explicitly keeps the scores there too.
    const DataFolder here = findDataFolder(".");
    EXPECT_TRUE(here.fromCurrentFolder);
    EXPECT_EQ(here.path, "");
}

} // namespace

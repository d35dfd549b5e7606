// The XDG data folder and where the high scores live, with a scratch HOME and XDG_DATA_HOME.
#include "app/user_dirs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/stat.h>

#include "support/game_run.h"
#include "support/scoped_env.h"

namespace fs = std::filesystem;

namespace {

class UserDirsTest : public testing::Test {
  protected:
    void SetUp() override { home = makeGameFolder("home", false).string(); }
    std::string home;
    ScopedEnv homeVariable{"HOME", std::nullopt};
    ScopedEnv dataVariable{"XDG_DATA_HOME", std::nullopt};
};

TEST_F(UserDirsTest, TheDataFolderFollowsTheXdgRules) {
    struct Case {
        const char* name;
        std::optional<std::string> xdg;
        std::string expected; // relative to home when it does not start with '/'
    } cases[] = {
        {"unset", std::nullopt, ".local/share"},
        {"empty", "", ".local/share"},
        {"relative, which the rules say to ignore", "data", ".local/share"},
        {"absolute", "/srv/games/data", "/srv/games/data"},
    };
    homeVariable.put(home);
    for (const Case& c : cases) {
        dataVariable.put(c.xdg);
        const std::string expected =
            c.expected[0] == '/' ? c.expected : (fs::path(home) / c.expected).string();
        EXPECT_EQ(xdgDataHome(), expected) << c.name;
        EXPECT_EQ(scoreFileFor(false), (fs::path(expected) / "vorblet" / "Vorblet.dat").string())
            << c.name;
        // With the game's files in the current folder, the scores stay beside them.
        EXPECT_EQ(scoreFileFor(true), "Vorblet.dat") << c.name;
    }
}

TEST_F(UserDirsTest, WithoutHomeTheHomeFolderComesFromThePasswordDatabase) {
    const std::string data = xdgDataHome();
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data[0], '/');
    EXPECT_EQ(fs::path(data).filename(), "share");
}

TEST_F(UserDirsTest, TheScoreFolderIsMadePrivateWhenFirstNeeded) {
    const fs::path file = fs::path(home) / "data" / "vorblet" / "Vorblet.dat";
    ASSERT_EQ(makeFolderFor(file.string()), 1);
    struct stat info {};
    ASSERT_EQ(::stat(file.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(makeFolderFor(file.string()), 1) << "an existing folder is fine";
    EXPECT_EQ(makeFolderFor("Vorblet.dat"), 1) << "the current folder needs nothing";
    // A file where the folder should be.
    std::ofstream(fs::path(home) / "blocked") << "x";
    EXPECT_EQ(makeFolderFor((fs::path(home) / "blocked" / "vorblet" / "Vorblet.dat").string()), 0);
}

} // namespace

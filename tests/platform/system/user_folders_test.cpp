// The player's data and config folders and where the high scores live, with a scratch HOME and
// XDG variables.
#include "app/user_dirs.h"
#include "platform/system/user_folders.h"

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

class UserFoldersTest : public testing::Test {
  protected:
    void SetUp() override { home = makeGameFolder("home", false).string(); }
    std::string home;
    ScopedEnv homeVariable{"HOME", std::nullopt};
    ScopedEnv dataVariable{"XDG_DATA_HOME", std::nullopt};
    ScopedEnv configVariable{"XDG_CONFIG_HOME", std::nullopt};
};

TEST_F(UserFoldersTest, BothFoldersFollowTheXdgRules) {
    struct Case {
        const char* name;
        std::optional<std::string> xdg;
        std::string dataBase, configBase; // relative to home when they do not start with '/'
    } cases[] = {
        {"unset", std::nullopt, ".local/share", ".config"},
        {"empty", "", ".local/share", ".config"},
        {"relative, which the rules say to ignore", "data", ".local/share", ".config"},
        {"absolute", "/srv/games/data", "/srv/games/data", "/srv/games/data"},
    };
    homeVariable.put(home);
    for (const Case& c : cases) {
        dataVariable.put(c.xdg);
        configVariable.put(c.xdg);
        const auto expected = [&](const std::string& base) {
            return ((base[0] == '/' ? fs::path(base) : fs::path(home) / base) / "vorblet").string();
        };
        EXPECT_EQ(platform::userDataFolder(), expected(c.dataBase)) << c.name;
        EXPECT_EQ(platform::userConfigFolder(), expected(c.configBase)) << c.name;
        EXPECT_EQ(scoreFileFor(false), (fs::path(expected(c.dataBase)) / "Vorblet.dat").string())
            << c.name;
        // With the game's files in the current folder, the scores stay beside them.
        EXPECT_EQ(scoreFileFor(true), "Vorblet.dat") << c.name;
    }
}

TEST_F(UserFoldersTest, WithoutHomeTheHomeFolderComesFromThePasswordDatabase) {
    for (const std::string& folder : {platform::userDataFolder(), platform::userConfigFolder()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_EQ(folder[0], '/');
        EXPECT_EQ(fs::path(folder).filename(), "vorblet");
    }
}

TEST_F(UserFoldersTest, AFolderIsMadePrivateWhenFirstNeeded) {
    const fs::path file = fs::path(home) / "data" / "vorblet" / "Vorblet.dat";
    ASSERT_EQ(platform::makeFolderFor(file.string()), 1);
    struct stat info {};
    ASSERT_EQ(::stat(file.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(platform::makeFolderFor(file.string()), 1) << "an existing folder is fine";
    EXPECT_EQ(platform::makeFolderFor("Vorblet.dat"), 1) << "the current folder needs nothing";
    // A file where the folder should be.
    std::ofstream(fs::path(home) / "blocked") << "x";
    EXPECT_EQ(
        platform::makeFolderFor((fs::path(home) / "blocked" / "vorblet" / "Vorblet.dat").string()),
        0);
}

} // namespace

// The settings file: what the parser takes and refuses, a saved file read back, and a broken file
// that starts with the defaults and says so.
#include "platform/system/settings.h"

#include "support/files.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using platform::Settings;

namespace {

TEST(SettingsParser, TakesWhatItKnowsAndNamesTheLineOfAFault) {
    struct Case {
        const char* text;
        bool ok;
        Settings expected; // when ok, from a scale of 5 at the start
        const char* error; // when not, the start of the message
    };
    const Case cases[] = {
        {"", true, {5, false, false}, ""},
        {"# just a comment\n\n", true, {5, false, false}, ""},
        {"scale = 3\nfullscreen=1\n  mute =1  # quiet please\n", true, {3, true, true}, ""},
        {"scale=0\r\nmute=0\r\n", true, {0, false, false}, ""},
        {"scale=16", true, {16, false, false}, ""},
        {"scale=17\n", false, {}, "line 1: '17' is not a value for scale"},
        {"scale=-1\n", false, {}, "line 1: '-1' is not a value for scale"},
        {"\nfullscreen=yes\n", false, {}, "line 2: 'yes' is not a value for fullscreen"},
        {"mute=\n", false, {}, "line 1: '' is not a value for mute"},
        {"scale=99999999999\n", false, {}, "line 1:"},
        {"volume=3\n", false, {}, "line 1: unknown setting 'volume'"},
        {"scale 2\n", false, {}, "line 1: no '='"},
        {"[vorblet]\n", false, {}, "line 1: no '='"},
        // A terminal must not take what the file holds as commands.
        {"\x1b]0;owned\x07=1\n", false, {}, "line 1: unknown setting '\\x1b]0;owned\\x07'"},
        {"scale=\x1b[2J\n", false, {}, "line 1: '\\x1b[2J' is not a value for scale"},
        {"\x1b[31mred\n", false, {}, "line 1: no '=' in '\\x1b[31mred'"},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.scale = 5; // a fault leaves what was there
        std::string error;
        EXPECT_EQ(platform::parseSettings(c.text, settings, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(settings.scale, c.expected.scale) << c.text;
            EXPECT_EQ(settings.fullscreen, c.expected.fullscreen) << c.text;
            EXPECT_EQ(settings.muted, c.expected.muted) << c.text;
        } else {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << "'" << error << "' for " << c.text;
            EXPECT_EQ(settings.scale, 5) << c.text;
        }
    }
}

class SettingsFile : public testing::Test {
  protected:
    void SetUp() override {
        folder = makeGameFolder("settings", false);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadConfig = old != nullptr;
        if (hadConfig) oldConfig = old;
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override {
        if (hadConfig)
            setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    fs::path folder;
    bool hadConfig = false;
    std::string oldConfig;
};

TEST_F(SettingsFile, IsSavedInTheConfigFolderAndReadBack) {
    EXPECT_EQ(platform::settingsPath(), (folder / "config/vorblet/vorblet.ini").string());
    testing::internal::CaptureStderr();
    const Settings missing = platform::loadSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a first start is quiet";
    EXPECT_EQ(missing.scale, 0);
    platform::saveSettings({2, true, true});
    const Settings saved = platform::loadSettings();
    EXPECT_EQ(saved.scale, 2);
    EXPECT_TRUE(saved.fullscreen);
    EXPECT_TRUE(saved.muted);
}

TEST_F(SettingsFile, ABrokenFileGivesTheDefaultsAndOneLine) {
    fs::create_directories(folder / "config/vorblet");
    std::ofstream(folder / "config/vorblet/vorblet.ini") << "scale=2\nfullscreen=maybe\n";
    testing::internal::CaptureStderr();
    const Settings settings = platform::loadSettings();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(settings.scale, 0);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_NE(errors.find("vorblet.ini: line 2: 'maybe' is not a value for fullscreen; using the "
                          "default settings\n"),
              std::string::npos)
        << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
}

} // namespace

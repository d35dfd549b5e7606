// Whole runs of the game started away from its files: it finds them where it is told, keeps the
// scores in the XDG data folder, and a start that fails says why and exits with 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/game_run.h"
#include "support/scoped_env.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> split;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        split.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return split;
}

class DataFolderRun : public testing::Test {
  protected:
    void SetUp() override {
        elsewhere = makeGameFolder("elsewhere", false);
        data = makeGameFolder("data");
        xdg = makeGameFolder("xdg", false);
        xdgVariable.put(xdg.string());
    }
    fs::path elsewhere, data, xdg;
    ScopedEnv xdgVariable{"XDG_DATA_HOME", std::nullopt};
};

TEST_F(DataFolderRun, TheGivenFolderIsReadAndTheScoresGoToTheXdgDataFolder) {
    GameRun run = runHeadless(elsewhere, "0 down ESCAPE\n", {"--data-dir", data.string()});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_TRUE(linesContaining(run.trace, " box ").empty());
    EXPECT_EQ(readFile(xdg / "vorblet" / "Vorblet.dat").size(), 24u);
    EXPECT_FALSE(fs::exists(elsewhere / "Vorblet.dat"));
    EXPECT_FALSE(fs::exists(data / "Vorblet.dat"));
}

TEST_F(DataFolderRun, AFailedStartNamesEachFileAndTheFoldersAndExitsWithOne) {
    struct Case {
        const char* name;
        std::vector<const char*> removed, altered;
        size_t boxes;
        std::vector<std::string> expected; // one per stderr line: file and what is wrong
    } cases[] = {
        {"two sheets missing",
         {"BMP/130.bmp", "BMP/132.bmp"},
         {},
         2,
         {"BMP/130.bmp is missing", "BMP/132.bmp is missing"}},
        {"a sheet altered", {}, {"BMP/129.bmp"}, 1, {"BMP/129.bmp is altered"}},
        {"a logo missing", {"BMP/QUORINLOGO.bmp"}, {}, 1, {"BMP/QUORINLOGO.bmp is missing"}},
    };
    for (const Case& c : cases) {
        fs::path broken = makeGameFolder(std::string("broken-") + c.name);
        for (const char* file : c.removed)
            fs::remove(broken / file);
        for (const char* file : c.altered)
            alter(broken / file);
        GameRun run = runHeadless(elsewhere, "0 down ESCAPE\n", {"--data-dir", broken.string()});
        EXPECT_EQ(run.exitCode, 1) << c.name << run.errors;
        ASSERT_FALSE(run.trace.empty()) << c.name;
        EXPECT_NE(run.trace.back().find(" exit 1"), std::string::npos) << c.name;
        EXPECT_EQ(linesContaining(run.trace, " box ").size(), c.boxes) << c.name;
        const std::vector<std::string> errors = lines(run.errors);
        ASSERT_EQ(errors.size(), c.expected.size()) << c.name << run.errors;
        for (size_t i = 0; i < errors.size(); ++i) {
            EXPECT_NE(errors[i].find((broken / c.expected[i]).string()), std::string::npos)
                << c.name << ": " << errors[i];
            EXPECT_NE(errors[i].find("looked for in: " + broken.string()), std::string::npos)
                << c.name << ": " << errors[i];
        }
        EXPECT_FALSE(fs::exists(xdg / "vorblet")) << c.name << ": the scores are not touched";
    }
}

TEST_F(DataFolderRun, WithNoFolderOfGameFilesEveryFolderSearchedIsNamed) {
    GameRun run = runHeadless(elsewhere, "0 down ESCAPE\n");
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    // The five sheets fail to load in the current folder, as they always did there.
    EXPECT_EQ(linesContaining(run.trace, " box ").size(), 5u);
    const std::vector<std::string> errors = lines(run.errors);
    ASSERT_EQ(errors.size(), 5u) << run.errors;
    const std::string program = fs::path(VORBLET_BINARY).parent_path().string();
    EXPECT_NE(errors[0].find((elsewhere / "BMP" / "128.bmp").string() + " is missing"),
              std::string::npos)
        << errors[0];
    EXPECT_NE(errors[0].find("looked for in: " + elsewhere.string() + ", " + program + ", " +
                             (fs::path(program).parent_path() / "share" / "vorblet").string()),
              std::string::npos)
        << errors[0];
}

// A data folder the scores cannot go to is told in one line naming the file and the reason, and
// the game still ends as it should.
TEST_F(DataFolderRun, AnUnusableDataFolderIsToldInOneLine) {
    struct Case {
        const char* name;
        std::function<fs::path()> make; // the XDG data folder to use
        const char* reason;
    };
    std::vector<Case> cases = {
        {"a file in the folder's place",
         [&] {
             std::ofstream(xdg / "vorblet") << "not a folder";
             return xdg;
         },
         "Not a directory"},
        {"a path too long",
         [&] {
             fs::path deep = xdg;
             for (int level = 0; level < 20; ++level)
                 deep /= std::string(250, 'a' + char(level));
             return deep;
         },
         "File name too long"},
    };
    if (::geteuid() != 0)
        cases.push_back({"a folder the player may not write",
                         [&] {
                             fs::create_directories(xdg / "vorblet");
                             fs::permissions(xdg / "vorblet", fs::perms(0500));
                             return xdg;
                         },
                         "Permission denied"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(xdg);
        fs::create_directories(xdg);
        const fs::path folder = c.make();
        xdgVariable.put(folder.string());
        GameRun run = runHeadless(elsewhere, "0 down ESCAPE\n", {"--data-dir", data.string()});
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        const std::vector<std::string> errors = lines(run.errors);
        ASSERT_EQ(errors.size(), 1u) << run.errors;
        EXPECT_NE(errors[0].find("cannot save the scores in " +
                                 (folder / "vorblet" / "Vorblet.dat").string() + ": " + c.reason),
                  std::string::npos)
            << errors[0];
        if (fs::exists(xdg / "vorblet")) fs::permissions(xdg / "vorblet", fs::perms::owner_all);
    }
}

// Under a file-size limit (a quota, say) the save fails as an error instead of killing the game,
// and the old scores stay whole with no temporary file beside them.
TEST_F(DataFolderRun, ASaveUnderAFileSizeLimitFailsWithoutKillingTheGame) {
    const int32_t old[6] = {5, 5, 5, 5, 5, 5};
    const std::string oldBytes(reinterpret_cast<const char*>(old), 24);
    fs::create_directories(xdg / "vorblet");
    std::ofstream(xdg / "vorblet" / "Vorblet.dat", std::ios::binary) << oldBytes;
    std::ofstream(elsewhere / "script.txt") << "0 down ESCAPE\n";
    GameRun run;
    {
        // The game must stand the limit itself: a signal ignored here would be ignored there too.
        FileSizeLimit limit(10, SIG_DFL);
        run = runProgram(elsewhere,
                         {"--headless", "--script", "script.txt", "--data-dir", data.string()});
    }
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(readFile(xdg / "vorblet" / "Vorblet.dat"), oldBytes);
    for (const fs::directory_entry& entry : fs::directory_iterator(xdg / "vorblet"))
        EXPECT_TRUE(entry.path().filename() == "Vorblet.dat" ||
                    entry.path().filename() == "Vorblet.dat.lock")
            << entry.path();
}

} // namespace

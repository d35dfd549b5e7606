#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

int32_t scoreAt(const std::string& file, int index) {
    int32_t value = 0;
    std::memcpy(&value, file.data() + index * 4, 4); // no 0x0A bytes in these scores
    return value;
}

// A player keeps the scores elsewhere through a link, readable by no one else. A BENCH round
// raises its high score; the link must stay a link, and the file it points to gets the score
// and keeps its mode. The temporary file of an earlier save that was cut short goes.
TEST(ScoreFileRunTest, ALinkedScoreFileStaysALinkAndGetsTheNewScore) {
    fs::path folder = makeGameFolder("linked");
    fs::create_directories(folder / "keep");
    const int32_t old[6] = {30, 30, 30, 0, 30, 30};
    std::ofstream(folder / "keep" / "scores.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(old), 24);
    fs::permissions(folder / "keep" / "scores.dat", fs::perms(0600));
    fs::create_symlink("keep/scores.dat", folder / "Vorblet.dat");
    std::ofstream(folder / "keep" / "scores.dat.x7Qk2P") << "cut short";

    const std::string script = "3000 down SHIFT\n3000 down SPACE\n3100 up SPACE\n3100 up SHIFT\n"
                               "6000 down ESCAPE\n6100 up ESCAPE\n"
                               "7000 down SPACE\n7100 up SPACE\n"
                               "12000 down ESCAPE\n12100 up ESCAPE\n";
    GameRun run = runHeadless(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    EXPECT_EQ(fs::symlink_status(folder / "Vorblet.dat").type(), fs::file_type::symlink);
    const std::string scores = readFile(folder / "keep" / "scores.dat");
    ASSERT_EQ(scores.size(), 24u);
    EXPECT_GT(scoreAt(scores, 5), 30) << "BENCH raised its high score";
    EXPECT_EQ(scoreAt(scores, 4), 30);
    EXPECT_EQ(fs::status(folder / "keep" / "scores.dat").permissions() & fs::perms::mask,
              fs::perms(0600));
    EXPECT_FALSE(fs::exists(folder / "keep" / "scores.dat.x7Qk2P"));
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "keep"))
        EXPECT_EQ(entry.path().filename(), "scores.dat");
}

} // namespace

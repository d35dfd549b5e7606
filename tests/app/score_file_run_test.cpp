#include "app/score_file.h"

#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

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
    // The lock file every copy takes stays beside the scores; nothing else does.
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "keep"))
        EXPECT_TRUE(entry.path().filename() == "scores.dat" ||
                    entry.path().filename() == "scores.dat.lock")
            << entry.path();
}

bool waitUntil(const std::function<bool()>& done) {
    for (int wait = 0; wait < 6000; ++wait) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool holds(const fs::path& file, const std::string& text) {
    return readFile(file).find(text) != std::string::npos;
}

// Two copies quit at once: the first is held between its read of the score file and its
// replace while the second saves. Each copy's new record must survive the other's save.
TEST(ScoreFileRunTest, TwoCopiesSavingAtOnceKeepBothRecords) {
    const fs::path shared = makeGameFolder("shared", false);
    const int32_t none[6] = {0, 0, 0, 0, 0, 0};
    std::ofstream(shared / "Vorblet.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(none), 24);
    const fs::path first = makeGameFolder("bench"), second = makeGameFolder("ultra");
    for (const fs::path& folder : {first, second})
        fs::create_symlink(shared / "Vorblet.dat", folder / "Vorblet.dat");
    const std::string quit = "6000 down ESCAPE\n6100 up ESCAPE\n7000 down SPACE\n7100 up SPACE\n"
                             "12000 down ESCAPE\n12100 up ESCAPE\n";
    const std::string bench = "3000 down SHIFT\n3000 down SPACE\n3100 up SPACE\n3100 up SHIFT\n";
    const std::string ultra = "3000 down TAB\n3000 down CONTROL\n3000 down SPACE\n"
                              "3100 up SPACE\n3100 up CONTROL\n3100 up TAB\n";
    const fs::path release = shared / "release";
    GameRun firstRun, secondRun;
    std::thread held([&] {
        firstRun = runHeadless(first, bench + quit, {}, 120,
                               {"VORBLET_TEST_HOOK=hold-save:" + release.string()});
    });
    EXPECT_TRUE(waitUntil([&] { return holds(first / "stderr.txt", "hold-save reached"); }));
    std::thread saving([&] {
        secondRun = runHeadless(second, ultra + quit, {}, 120, {"VORBLET_TEST_HOOK=lock-wait"});
    });
    // The second copy waits for the first one's lock, or, were there none, saves and ends.
    waitUntil([&] {
        return holds(second / "stderr.txt", "lock-wait reached") ||
               holds(second / "trace.txt", " exit ");
    });
    std::ofstream(release) << "go";
    held.join();
    saving.join();
    ASSERT_EQ(firstRun.exitCode, 0) << firstRun.errors;
    ASSERT_EQ(secondRun.exitCode, 0) << secondRun.errors;
    int32_t scores[6] = {};
    ASSERT_EQ(readDataFile((shared / "Vorblet.dat").c_str(), scores, 24), 1);
    EXPECT_GT(scores[5], 0) << "the BENCH record was lost";
    EXPECT_GT(scores[3], 0) << "the ULTRA record was lost";
}

} // namespace

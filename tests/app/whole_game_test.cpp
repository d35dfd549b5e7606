#include "support/game_run.h"
#include "support/trace.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<uint32_t> timesOf(const std::vector<SoundEvent>& events, const std::string& action,
                              int clip) {
    std::vector<uint32_t> times;
    for (const SoundEvent& event : events)
        if (event.action == action && event.clip == clip) times.push_back(event.ms);
    return times;
}

// One round of a variant started at `at` with the modifier keys held, ended with Escape 3 s
// later, and its game-over sequence cut short with Space 1 s after that.
std::string roundScript(uint32_t at, const std::vector<std::string>& modifiers) {
    std::ostringstream script;
    for (const std::string& key : modifiers)
        script << at << " down " << key << "\n";
    script << at << " down SPACE\n" << at + 100 << " up SPACE\n";
    for (const std::string& key : modifiers)
        script << at + 100 << " up " << key << "\n";
    script << at + 3000 << " down ESCAPE\n" << at + 3100 << " up ESCAPE\n";
    script << at + 4000 << " down SPACE\n" << at + 4100 << " up SPACE\n";
    return script.str();
}

int32_t scoreAt(const std::string& file, int index) {
    int32_t value = 0;
    std::memcpy(&value, file.data() + index * 4, 4); // no 0x0A bytes in these scores
    return value;
}

TEST(WholeGameTest, LogoTitleEveryVariantGameOverAndQuit) {
    const uint32_t starts[] = {3000, 9000, 15000, 21000, 27000};
    std::string script = roundScript(starts[0], {}) +                 // NORMAL
                         roundScript(starts[1], {"TAB"}) +            // SUPER
                         roundScript(starts[2], {"CONTROL"}) +        // HYPER
                         roundScript(starts[3], {"TAB", "CONTROL"}) + // ULTRA
                         roundScript(starts[4], {"SHIFT"});           // BENCH
    // A last round whose game-over sequence runs its full 200 passes, then Escape on the title.
    script += "33000 down SPACE\n33100 up SPACE\n36000 down ESCAPE\n36100 up ESCAPE\n"
              "60000 down ESCAPE\n";
    fs::path folder = makeGameFolder("whole");
    GameRun run = runHeadless(folder, script, {}, 300);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.trace.empty());
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
    std::vector<SoundEvent> sounds = soundEvents(run.trace);

    // The logo takes about 1.73 s and the title's fade 0.66 s before the title tune starts.
    std::vector<uint32_t> titles = timesOf(sounds, "play", 131);
    ASSERT_EQ(titles.size(), 7u);
    EXPECT_GE(titles[0], 1730u + 660u);
    EXPECT_LE(titles[0], 1730u + 660u + 50u);

    // Six rounds, each starting only after its own Space: a button that ends the game-over
    // sequence never starts a round on the title screen that follows.
    std::vector<uint32_t> rounds = timesOf(sounds, "play", 128);
    ASSERT_EQ(rounds.size(), 6u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_GT(rounds[size_t(i)], starts[i]) << "round " << i;
        EXPECT_LT(rounds[size_t(i)], starts[i] + 1500) << "round " << i;
        // Space at +4000 ends the game over after its current pass; the title then fades in.
        EXPECT_GT(titles[size_t(i) + 1], starts[i] + 4000) << "title after round " << i;
        EXPECT_LT(titles[size_t(i) + 1], starts[i] + 4100 + 100 + 660 + 50)
            << "title after round " << i;
    }

    // With no button, the last game-over sequence stops after 200 passes of 99 ms.
    uint32_t roundEnd = 0;
    for (const SoundEvent& event : sounds)
        if (event.action == "stop" && event.ms > 36000 && event.ms < 37000 &&
            (event.clip == 128 || event.clip == 129 || event.clip == 130))
            roundEnd = event.ms;
    ASSERT_NE(roundEnd, 0u) << "the last round's tune was not stopped";
    EXPECT_GE(titles[6], roundEnd + 19800 + 660 - 99); // the first pass counts from the last frame
    EXPECT_LE(titles[6], roundEnd + 19800 + 660 + 150);

    // BENCH launches, bounces and vanishing blocks are silent and its field never descends:
    // only the round's tunes sound in its round.
    for (const SoundEvent& event : sounds) {
        if (event.ms > rounds[4] && event.ms < starts[4] + 3000) {
            EXPECT_TRUE(event.clip >= 128 && event.clip <= 130) << event.ms << " " << event.clip;
        }
    }

    std::string scores = readFile(folder / "Vorblet.dat");
    ASSERT_EQ(scores.size(), 24u);
    EXPECT_GT(scoreAt(scores, 3), 0) << "ULTRA keeps its high score at index 3";
    EXPECT_GT(scoreAt(scores, 5), 30) << "BENCH raised its high score";
    EXPECT_EQ(scoreAt(scores, 0), 30) << "index 0 belongs to no variant";
}

} // namespace

// A pause, with P or by the loss of the focus, holds the game's time: the run goes on after it
// exactly as a run without it, later by the pause's length, and the picture stands still meanwhile.
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Event {
    uint32_t ms;
    std::string action;
};

// A NORMAL round steered left and right, ended with Escape; then Escape on the title.
const std::vector<Event> kPlay = {
    {3000, "down SPACE"},  {3100, "up SPACE"},  {4000, "down LEFT"},    {4600, "up LEFT"},
    {6300, "down RIGHT"},  {7200, "up RIGHT"},  {9000, "down ESCAPE"},  {9100, "up ESCAPE"},
    {10500, "down SPACE"}, {10600, "up SPACE"}, {14000, "down ESCAPE"},
};

// Paused with P from 5000 to 7000 and without the focus from 8000 to 8800, in the time of the
// run: 2000 and then 800 ms later than the run without pauses.
constexpr uint32_t kKeyPause = 5000, kKeyLength = 2000;
constexpr uint32_t kFocusPause = 6000, kFocusLength = 800; // in the unpaused run's time

uint32_t shifted(uint32_t ms) {
    if (ms < kKeyPause) return ms;
    if (ms < kFocusPause) return ms + kKeyLength;
    return ms + kKeyLength + kFocusLength;
}

std::string script(bool paused) {
    std::vector<Event> events;
    for (const Event& e : kPlay)
        events.push_back({paused ? shifted(e.ms) : e.ms, e.action});
    if (paused) {
        const uint32_t focusOut = kFocusPause + kKeyLength;
        events.insert(events.end(), {{kKeyPause, "down P"},
                                     {kKeyPause + 100, "up P"},
                                     {kKeyPause + kKeyLength, "down P"},
                                     {kKeyPause + kKeyLength + 100, "up P"},
                                     {focusOut, "focus out"},
                                     {focusOut + kFocusLength, "focus in"}});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.ms < b.ms; });
    std::ostringstream text;
    for (const Event& e : events)
        text << e.ms << " " << e.action << "\n";
    return text.str();
}

// The trace with every time written as in the run without pauses.
std::vector<std::string> unshifted(const std::vector<std::string>& trace) {
    std::vector<std::string> lines;
    for (const std::string& line : trace) {
        const size_t space = line.find(' ');
        uint32_t ms = uint32_t(std::strtoul(line.substr(0, space).c_str(), nullptr, 10));
        if (ms >= kFocusPause + kKeyLength + kFocusLength)
            ms -= kKeyLength + kFocusLength;
        else if (ms >= kKeyPause + kKeyLength)
            ms -= kKeyLength;
        lines.push_back(std::to_string(ms) + line.substr(space));
    }
    return lines;
}

TEST(PauseTest, ThePlayGoesOnAfterAPauseAsIfThereHadBeenNone) {
    const fs::path plain = makeGameFolder("unpaused"), paused = makeGameFolder("paused");
    // Pictures before, during and after the pause made with P.
    const GameRun a = runHeadless(plain, script(false),
                                  {"--shot", "4900:before.bmp", "--shot", "5500:after.bmp"});
    const GameRun b = runHeadless(
        paused, script(true),
        {"--shot", "4900:before.bmp", "--shot", "6000:during.bmp", "--shot", "7500:after.bmp"});
    ASSERT_EQ(a.exitCode, 0) << a.errors;
    ASSERT_EQ(b.exitCode, 0) << b.errors;
    EXPECT_EQ(unshifted(b.trace), a.trace);
    EXPECT_EQ(readFile(paused / "Vorblet.dat"), readFile(plain / "Vorblet.dat"));
    EXPECT_EQ(readFile(paused / "before.bmp"), readFile(plain / "before.bmp"));
    EXPECT_EQ(readFile(paused / "after.bmp"), readFile(plain / "after.bmp"));
    // The picture stood still: as it was when the pause began, at 5000 in both runs.
    const fs::path frozen = makeGameFolder("frozen");
    const GameRun c = runHeadless(frozen, script(false), {"--shot", "5000:at.bmp"});
    ASSERT_EQ(c.exitCode, 0) << c.errors;
    EXPECT_EQ(readFile(paused / "during.bmp"), readFile(frozen / "at.bmp"));
}

// Nothing in the script ends the pause: the run ends as if the window were closed, its high score
// saved, instead of waiting for ever.
TEST(PauseTest, APauseThatNothingEndsEndsTheRunAsACloseDoes) {
    const fs::path folder = makeGameFolder("forever");
    const GameRun run =
        runHeadless(folder, "3000 down SPACE\n3100 up SPACE\n9000 focus out\n", {}, 120);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.trace.back().find(" exit 0"), std::string::npos);
    EXPECT_EQ(readFile(folder / "Vorblet.dat").size(), 24u);
}

} // namespace

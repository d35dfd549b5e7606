#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/sound_clip.h"
#include "sound_fixture.h"
#include "support/case_name.h"
#include "support/headless_probe.h"

namespace {

using soundtest::SoundTest;

// lose: the clip's handle becomes one the platform never gave out, so its next command fails.
enum class Op { open, play, isPlaying, stop, close, wait, lose };

struct Step {
    Op op;
    int clip;   // 0 to 2 the clips, opened on the files 128 to 130 (3: the missing 131)
    int file;   // for open: which file; for wait: milliseconds
    int result; // expected result (ignored for wait)
};

struct Case {
    const char* name;
    bool noSound;
    std::vector<Step> steps;
    std::vector<std::string> trace; // what the sound trace shows, in order
    int errorAfter;                 // the kept sound error at the end
};

constexpr int badFile = platform::kAudioErrorBadFile;
constexpr int noDevice = platform::kAudioErrorNoDevice;
constexpr int badHandle = platform::kAudioErrorBadHandle;

const std::vector<Case> cases = {
    {"UsingAClipThatIsNotOpenReturnsMinusOneAndSendsNothing",
     false,
     {{Op::play, 0, 0, -1},
      {Op::isPlaying, 0, 0, -1},
      {Op::stop, 0, 0, -1},
      {Op::close, 0, 0, -1},
      {Op::open, 0, 0, 0},
      {Op::play, 0, 0, 0}},
     {"play 0 -1", "stop 0 -1", "close 0 -1", "open 128 0", "play 128 0"},
     0},
    {"OpeningAnOpenClipReturnsMinusOneAndChangesNothing",
     false,
     {{Op::open, 0, 0, 0}, {Op::open, 0, 1, -1}, {Op::play, 0, 0, 0}, {Op::isPlaying, 0, 0, 1}},
     {"open 128 0", "open 128 -1", "play 128 0"},
     0},
    {"PlayingRunsForTheClipsLengthOnTheClock",
     false,
     {{Op::open, 0, 0, 0},
      {Op::isPlaying, 0, 0, 0},
      {Op::play, 0, 0, 0},
      {Op::wait, 0, 99, 0},
      {Op::isPlaying, 0, 0, 1},
      {Op::wait, 0, 1, 0},
      {Op::isPlaying, 0, 0, 0},
      {Op::play, 0, 0, 0},
      {Op::stop, 0, 0, 0},
      {Op::isPlaying, 0, 0, 0}},
     {"open 128 0", "play 128 0", "play 128 0", "stop 128 0"},
     0},
    {"CloseLeavesTheClipReadyToOpenAgain",
     false,
     {{Op::open, 0, 0, 0},
      {Op::close, 0, 0, 0},
      {Op::play, 0, 0, -1},
      {Op::close, 0, 0, -1},
      {Op::open, 0, 0, 0}},
     {"open 128 0", "close 128 0", "play 128 -1", "close 128 -1", "open 128 0"},
     0},
    {"AMissingFileSilencesEveryClipForGood",
     false,
     {{Op::open, 0, 0, 0},
      {Op::play, 0, 0, 0},
      {Op::open, 1, 3, badFile},
      {Op::isPlaying, 0, 0, badFile},
      {Op::play, 0, 0, badFile},
      {Op::stop, 0, 0, badFile},
      {Op::close, 0, 0, badFile},
      {Op::open, 2, 2, badFile},
      {Op::play, 2, 0, badFile},
      {Op::isPlaying, 2, 0, badFile}},
     {"open 128 0", "play 128 0", "open 131 275", "play 128 275", "stop 128 275", "close 128 275",
      "open 130 275", "play 130 275"},
     badFile},
    {"NoDeviceFailsTheFirstOpenAndEverythingAfter",
     true,
     {{Op::open, 0, 0, noDevice},
      {Op::open, 1, 1, noDevice},
      {Op::play, 0, 0, noDevice},
      {Op::close, 1, 0, noDevice}},
     {"open 128 266", "open 129 266", "play 128 266", "close 129 266"},
     noDevice},
    {"AFailingStatusQueryReportsSilenceOnceAndSticks",
     false,
     {{Op::open, 0, 0, 0},
      {Op::lose, 0, 0, 0},
      {Op::isPlaying, 0, 0, 0},
      {Op::isPlaying, 0, 0, badHandle}},
     {"open 128 0"},
     badHandle},
    {"AFailingPlayIsKeptForEveryClip",
     false,
     {{Op::open, 0, 0, 0},
      {Op::open, 1, 1, 0},
      {Op::lose, 0, 0, 0},
      {Op::play, 0, 0, badHandle},
      {Op::play, 1, 0, badHandle},
      {Op::isPlaying, 1, 0, badHandle}},
     {"open 128 0", "open 129 0", "play 128 263", "play 129 263"},
     badHandle},
    {"AFailingStopIsKeptForEveryClip",
     false,
     {{Op::open, 0, 0, 0},
      {Op::open, 1, 1, 0},
      {Op::play, 1, 0, 0},
      {Op::lose, 0, 0, 0},
      {Op::stop, 0, 0, badHandle},
      {Op::isPlaying, 1, 0, badHandle},
      {Op::stop, 1, 0, badHandle}},
     {"open 128 0", "open 129 0", "play 129 0", "stop 128 263", "stop 129 263"},
     badHandle},
};

class ClipRules : public SoundTest, public testing::WithParamInterface<Case> {};

TEST_P(ClipRules, FollowTheTable) {
    const Case& c = GetParam();
    platform::probe::resetHeadless(c.noSound);
    QUORINSound clips[3];
    for (size_t i = 0; i < c.steps.size(); ++i) {
        const Step& s = c.steps[i];
        QUORINSound& clip = clips[s.clip];
        int r = 0;
        switch (s.op) {
        case Op::open:
            r = clip.open(path(s.file));
            break;
        case Op::play:
            r = clip.play();
            break;
        case Op::isPlaying:
            r = clip.isPlaying();
            break;
        case Op::stop:
            r = clip.stop();
            break;
        case Op::close:
            r = clip.close();
            break;
        case Op::wait:
            platform::probe::advanceClock(static_cast<uint32_t>(s.file));
            continue;
        case Op::lose:
            clip.deviceId = 1000;
            continue;
        }
        EXPECT_EQ(r, s.result) << "step " << i;
    }
    EXPECT_EQ(platform::probe::takeSoundEvents(), c.trace);
    EXPECT_EQ(currentSoundError(), c.errorAfter);
}

INSTANTIATE_TEST_SUITE_P(Table, ClipRules, testing::ValuesIn(cases), CaseName());

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

TEST_F(SoundTest, DestroyingAnOpenClipClosesIt) {
    {
        QUORINSound clip;
        ASSERT_EQ(clip.open(path(0)), 0);
    }
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"open 128 0", "close 128 0"}));
}

TEST(ClipNumber, ComesFromTheFileName) {
    EXPECT_EQ(clipNumberOf("wav/128.wav"), 128);
    EXPECT_EQ(clipNumberOf("wav\\143.wav"), 143);
    EXPECT_EQ(clipNumberOf("/tmp/x1/wav/140.wav"), 140);
    EXPECT_EQ(clipNumberOf("sound.wav"), 0);
}

} // namespace

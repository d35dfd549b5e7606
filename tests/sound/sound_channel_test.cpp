#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/sound_channel.h"
#include "sound_fixture.h"
#include "support/headless_probe.h"

namespace {

using platform::probe::advanceClock;
using platform::probe::takeSoundEvents;

class ChannelTest : public soundtest::SoundTest {
  protected:
    void SetUp() override {
        SoundTest::SetUp();
        ASSERT_EQ(shortClip.open(path(0)), 0); // 100 ms
        ASSERT_EQ(longClip.open(path(2)), 0);  // 250 ms
        takeSoundEvents();
    }
    QUORINSound shortClip, longClip;
    QUORINSoundChannel slot;
};

TEST_F(ChannelTest, AnIdleSlotPollsZeroAndStopsWithZero) {
    EXPECT_EQ(slot.poll(), 0);
    EXPECT_EQ(slot.stop(), 0);
    EXPECT_TRUE(takeSoundEvents().empty());
}

TEST_F(ChannelTest, PlayIfIdleStartsAndTheSlotEmptiesWhenPolledAfterTheEnd) {
    EXPECT_EQ(slot.playIfIdle(shortClip), 0);
    EXPECT_EQ(slot.poll(), 1);
    advanceClock(100);
    // Finished, but the slot only finds out when polled.
    EXPECT_EQ(slot.clip, &shortClip);
    EXPECT_EQ(slot.poll(), 0);
    EXPECT_EQ(slot.clip, nullptr);
    EXPECT_EQ(takeSoundEvents(), (std::vector<std::string>{"play 128 0"}));
}

TEST_F(ChannelTest, ABusySlotIgnoresAnotherClipUntilItsOwnEnds) {
    EXPECT_EQ(slot.playIfIdle(longClip), 0);
    advanceClock(100);
    EXPECT_EQ(slot.playIfIdle(shortClip), 1);
    EXPECT_EQ(slot.clip, &longClip);
    advanceClock(150);
    EXPECT_EQ(slot.playIfIdle(shortClip), 0);
    EXPECT_EQ(takeSoundEvents(), (std::vector<std::string>{"play 130 0", "play 128 0"}));
}

TEST_F(ChannelTest, LoopingATuneRestartsItEachTimeItEnds) {
    int starts = 0;
    for (int frame = 0; frame < 10; ++frame) {
        if (slot.playIfIdle(shortClip) == 0) ++starts;
        advanceClock(33);
    }
    // 330 ms of a 100 ms tune, polled every 33 ms: started at 0, 132 and 264.
    EXPECT_EQ(starts, 3);
}

TEST_F(ChannelTest, StopThenPlayIfIdleRestartsAnEffectFromItsStart) {
    slot.playIfIdle(shortClip);
    advanceClock(60);
    EXPECT_EQ(slot.stop(), 0);
    EXPECT_EQ(slot.clip, nullptr);
    EXPECT_EQ(slot.playIfIdle(shortClip), 0);
    advanceClock(60); // 120 ms after the first start, 60 after the restart
    EXPECT_EQ(shortClip.isPlaying(), 1);
    EXPECT_EQ(takeSoundEvents(),
              (std::vector<std::string>{"play 128 0", "stop 128 0", "play 128 0"}));
}

TEST_F(ChannelTest, AfterAFailureASlotWithAClipStaysBusyUntilStopped) {
    slot.playIfIdle(shortClip);
    QUORINSound missing;
    EXPECT_EQ(missing.open(path(3)), platform::kAudioErrorBadFile);
    advanceClock(1000);
    EXPECT_EQ(slot.poll(), platform::kAudioErrorBadFile);
    EXPECT_EQ(slot.playIfIdle(longClip), 1);
    EXPECT_EQ(slot.stop(), platform::kAudioErrorBadFile);
    EXPECT_EQ(slot.clip, nullptr);
    // An idle slot takes the clip; its start fails silently and the slot is busy for good.
    EXPECT_EQ(slot.playIfIdle(longClip), 0);
    EXPECT_EQ(slot.poll(), platform::kAudioErrorBadFile);
    takeSoundEvents();
}

} // namespace

// The round's tune choice: the danger tune from a height of 22, the calm tune again only from 18,
// each switch at once; a tune that has ended starts again.
#include "game/round_fixture.h"

#include "game/round_tune.h"

using namespace roundtest;

namespace {

using Lines = std::vector<std::string>;

class RoundTune : public RoundTest {
  protected:
    Lines request(int32_t height) {
        requestTune(state, height);
        return platform::probe::takeSoundEvents();
    }
    TuneState state = TuneState::calm;
};

TEST_F(RoundTune, SwitchesAtTwentyTwoAndBackAtEighteen) {
    struct Step {
        int32_t height;
        Lines sounds;
        TuneState after;
    };
    const Step steps[] = {
        {3, {"play 129 0"}, TuneState::calm},
        {21, {}, TuneState::calm},
        {22, {"stop 129 0", "play 130 0"}, TuneState::danger},
        {21, {}, TuneState::danger},
        {19, {}, TuneState::danger},
        {18, {"stop 130 0", "play 129 0"}, TuneState::calm},
        {19, {}, TuneState::calm},
        {21, {}, TuneState::calm},
        {26, {"stop 129 0", "play 130 0"}, TuneState::danger},
        {3, {"stop 130 0", "play 129 0"}, TuneState::calm},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(request(step.height), step.sounds) << "height " << step.height;
        EXPECT_EQ(state, step.after) << "height " << step.height;
    }
}

TEST_F(RoundTune, AnEndedTuneStartsAgain) {
    request(23);
    platform::probe::advanceClock(wavLengthMs("wav/130.wav") - 1);
    EXPECT_EQ(request(20), Lines{});
    platform::probe::advanceClock(1);
    EXPECT_EQ(request(20), Lines{"play 130 0"});
}

TEST_F(RoundTune, TheIntroPlaysOutUnlessTheDangerTuneCutsIn) {
    musicSlot.playIfIdle(clip128);
    platform::probe::takeSoundEvents();
    EXPECT_EQ(request(10), Lines{});
    EXPECT_EQ(request(22), (Lines{"stop 128 0", "play 130 0"}));
}

TEST_F(RoundTune, SilentRunsStaySilent) {
    startSound(false);
    ASSERT_EQ(soundDisabled, 1);
    // With the first failure kept, every line answers 266 without reaching the device, and a
    // slot given a clip stays busy until it is stopped: a second request starts nothing.
    const std::pair<int32_t, Lines> steps[] = {
        {3, {"play 129 266"}},
        {3, {}},
        {22, {"stop 129 266", "play 130 266"}},
        {22, {}},
        {18, {"stop 130 266", "play 129 266"}},
        {22, {"stop 129 266", "play 130 266"}},
    };
    for (const auto& [height, sounds] : steps)
        EXPECT_EQ(request(height), sounds) << "height " << height;
}

} // namespace

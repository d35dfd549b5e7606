// The default controls: what each press of the player's own keys does, and which game keys and
// fire button the held inputs make.
#include "platform/controls.h"

#include <gtest/gtest.h>

namespace {

using platform::Action;
using platform::Input;

class Controls : public testing::Test {
  protected:
    void SetUp() override { platform::resetControls(); }
    void TearDown() override { platform::resetControls(); }
};

TEST_F(Controls, EachPressGivesItsAction) {
    struct Case {
        Input input;
        bool alt;
        Action action;
    };
    const Case cases[] = {
        {Input::p, false, Action::pause},         {Input::p, true, Action::pause},
        {Input::m, false, Action::mute},          {Input::m, true, Action::mute},
        {Input::f11, false, Action::fullscreen},  {Input::f11, true, Action::fullscreen},
        {Input::enter, true, Action::fullscreen}, {Input::enter, false, Action::none},
        {Input::space, false, Action::gameKey},   {Input::space, true, Action::gameKey},
        {Input::padStart, false, Action::fire},   {Input::padB, false, Action::gameKey},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::actionOfPress(c.input, c.alt), c.action)
            << "input " << int(c.input) << (c.alt ? " with Alt" : "");
}

// Every input alone, and the game key it holds down, the fire button (kFire) or nothing.
TEST_F(Controls, HeldInputsGiveTheGameKeys) {
    constexpr int kFire = -2, kNothing = -1;
    struct Case {
        Input input;
        int gives;
    };
    const Case cases[] = {
        {Input::space, platform::kKeySpace},
        {Input::escape, platform::kKeyEscape},
        {Input::left, platform::kKeyLeft},
        {Input::right, platform::kKeyRight},
        {Input::leftShift, platform::kKeyShift},
        {Input::rightShift, platform::kKeyShift},
        {Input::tab, platform::kKeyTab},
        {Input::leftControl, platform::kKeyControl},
        {Input::rightControl, platform::kKeyControl},
        {Input::leftButton, platform::kKeyLeftButton},
        {Input::rightButton, platform::kKeyRightButton},
        {Input::padB, platform::kKeyEscape},
        {Input::padBack, platform::kKeyEscape},
        {Input::joystickButton1, kFire},
        {Input::padA, kFire},
        {Input::padStart, kFire},
        {Input::p, kNothing},
        {Input::m, kNothing},
        {Input::f11, kNothing},
        {Input::enter, kNothing},
    };
    ASSERT_EQ(std::size(cases), size_t(platform::kInputCount));
    for (const Case& c : cases) {
        bool held[platform::kInputCount] = {};
        held[int(c.input)] = true;
        platform::GameInputs game;
        platform::gameInputsFrom(held, game);
        for (int key = 0; key < platform::kGameKeyCount; ++key)
            EXPECT_EQ(game.keys[key], key == c.gives) << "input " << int(c.input) << " key " << key;
        EXPECT_EQ(game.fire, c.gives == kFire) << "input " << int(c.input);
    }
}

TEST_F(Controls, NothingHeldClearsWhatWasHeldAndInputsCombine) {
    bool held[platform::kInputCount] = {};
    platform::GameInputs game;
    game.fire = true;
    game.keys[platform::kKeySpace] = true;
    platform::gameInputsFrom(held, game);
    for (bool key : game.keys)
        EXPECT_FALSE(key);
    EXPECT_FALSE(game.fire);

    held[int(Input::rightShift)] = true;
    held[int(Input::left)] = true;
    platform::gameInputsFrom(held, game);
    EXPECT_TRUE(game.keys[platform::kKeyShift]);
    EXPECT_TRUE(game.keys[platform::kKeyLeft]);
    EXPECT_FALSE(game.keys[platform::kKeyRight]);
}

// The table is data: a row changed is what the backends then read, and the defaults come back.
TEST_F(Controls, FollowTheTableInUseAndResetToTheDefaults) {
    platform::controls().push_back({Input::enter, Action::gameKey, platform::kKeySpace});
    EXPECT_EQ(platform::actionOfPress(Input::enter, true), Action::fullscreen);
    EXPECT_EQ(platform::actionOfPress(Input::enter, false), Action::gameKey);
    bool held[platform::kInputCount] = {};
    held[int(Input::enter)] = true;
    platform::GameInputs game;
    platform::gameInputsFrom(held, game);
    EXPECT_TRUE(game.keys[platform::kKeySpace]);

    platform::resetControls();
    EXPECT_EQ(platform::actionOfPress(Input::enter, false), Action::none);
    platform::gameInputsFrom(held, game);
    EXPECT_FALSE(game.keys[platform::kKeySpace]);
}

} // namespace

#pragma once
// Rounds played in-process on the headless backend, with the artwork and sounds of the built game
// folder, frame by frame, so that a test can look at the round between frames.
#include "game/ball.h"
#include "game/paddle.h"
#include "game/play_field.h"
#include "game/random.h"
#include "game/round.h"
#include "game/round_frame.h"
#include "game/round_values.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "sound/sound_clip.h"
#include "support/headless_probe.h"
#include "support/pixels.h"
#include "support/program_reset.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace roundtest {

// A picture of 640 x 460 composed by a test, top line first.
struct Picture {
    std::vector<Pixel> pixels = std::vector<Pixel>(640 * 460);
    Pixel& at(int32_t x, int32_t y) { return pixels[size_t(y) * 640 + size_t(x)]; }

    // Copies a rectangle of a surface to the same place.
    void copyFrom(const QUORINImage& surface, int32_t top, int32_t left, int32_t height,
                  int32_t width) {
        for (int32_t y = top; y < top + height; ++y)
            for (int32_t x = left; x < left + width; ++x)
                at(x, y) = pixelAt(surface, x, y);
    }
    // Puts a cell of a sheet at (left, top), leaving white pixels out.
    void keyFrom(const QUORINImage& sheet, int32_t sheetTop, int32_t sheetLeft, int32_t height,
                 int32_t width, int32_t top, int32_t left) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const Pixel p = pixelAt(sheet, sheetLeft + x, sheetTop + y);
                if (p != white) at(left + x, top + y) = p;
            }
    }
};

// The first pixel at which the window differs from the picture inside the rectangle, as text;
// empty when they agree.
inline std::string firstDifference(Picture& expected, int32_t top, int32_t left, int32_t height,
                                   int32_t width) {
    for (int32_t y = top; y < top + height; ++y)
        for (int32_t x = left; x < left + width; ++x)
            if (windowPixel(x, y) != expected.at(x, y)) {
                std::ostringstream text;
                text << "at x " << x << " y " << y << ": window ";
                PrintTo(windowPixel(x, y), &text);
                text << ", expected ";
                PrintTo(expected.at(x, y), &text);
                return text.str();
            }
    return {};
}

class RoundTest : public testing::Test {
  protected:
    void SetUp() override {
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(VORBLET_GAME_DIR);
        resetProgram();
        ASSERT_EQ(bindScreen(screen), &screen);
        ASSERT_EQ(loadSheets(), 1);
        ASSERT_EQ(createLayers(), 1);
        startSound(true);
        setupSprites();
        mouseControl = 0;
    }

    void TearDown() override {
        closeSound();
        quitRequested.store(0);
        platform::probe::takeSoundEvents();
        renewSurfaces();
        std::filesystem::current_path(previousFolder);
    }

    // A fresh headless backend, with or without a sound device, the nine clips opened on it and
    // the slots idle.
    void startSound(bool device) {
        closeSound();
        platform::probe::resetHeadless(!device);
        openSounds();
        platform::probe::takeSoundEvents();
    }

    void startRound(GameMode mode, RoundOpening opening = RoundOpening::atOnce) {
        setUpRound(round, mode, balls, paddle, opening);
    }

    // Plays one frame and returns the sound lines it made.
    std::vector<std::string> frame() {
        playFrame(round);
        return platform::probe::takeSoundEvents();
    }

    static bool contains(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    std::filesystem::path previousFolder;
    Ball balls[kBallSlots];
    Pad paddle;
    Round round;
};

} // namespace roundtest

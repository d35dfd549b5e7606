#pragma once
// Rounds played in-process on the headless backend, with the artwork and sounds of the built game
// folder, frame by frame, so that a test can look at the round between frames.
#include "game/ball.h"
#include "game/paddle.h"
#include "game/play_field.h"
#include "game/random.h"
#include "game/round.h"
#include "game/round_values.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "sound/sound_clip.h"
#include "support/headless_probe.h"

#include <memory>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace roundtest {

struct Rgb {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    bool operator==(const Rgb&) const = default;
};

inline void PrintTo(const Rgb& p, std::ostream* os) {
    *os << "(b" << int(p.blue) << " g" << int(p.green) << " r" << int(p.red) << ")";
}

// A pixel of a bottom-up surface.
inline Rgb pixelOf(const QUORINImage& surface, int32_t x, int32_t y) {
    const uint8_t* p =
        surface.pixels + ((surface.bounds.height - 1 - y) * surface.bounds.width + x) * 3;
    return Rgb{p[0], p[1], p[2]};
}

// A pixel of the window picture (top line first).
inline Rgb windowPixel(int32_t x, int32_t y) {
    const uint8_t* p = &platform::probe::windowPicture()[(size_t(y) * 640 + size_t(x)) * 3];
    return Rgb{p[0], p[1], p[2]};
}

constexpr Rgb kWhite{255, 255, 255};

// A picture of 640 x 460 composed by a test, top line first.
struct Picture {
    std::vector<Rgb> pixels = std::vector<Rgb>(640 * 460);
    Rgb& at(int32_t x, int32_t y) { return pixels[size_t(y) * 640 + size_t(x)]; }

    // Copies a rectangle of a surface to the same place.
    void copyFrom(const QUORINImage& surface, int32_t top, int32_t left, int32_t height,
                  int32_t width) {
        for (int32_t y = top; y < top + height; ++y)
            for (int32_t x = left; x < left + width; ++x)
                at(x, y) = pixelOf(surface, x, y);
    }
    // Puts a cell of a sheet at (left, top), leaving white pixels out.
    void keyFrom(const QUORINImage& sheet, int32_t sheetTop, int32_t sheetLeft, int32_t height,
                 int32_t width, int32_t top, int32_t left) {
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const Rgb p = pixelOf(sheet, sheetLeft + x, sheetTop + y);
                if (p != kWhite) at(left + x, top + y) = p;
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

// How long a PCM WAV file plays, in whole milliseconds rounded up; 0 when it is not one.
inline uint32_t wavLengthMs(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    auto read32 = [&](size_t at) {
        return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
               uint32_t(b[at + 3]) << 24;
    };
    uint32_t byteRate = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t id = read32(at), size = read32(at + 4);
        if (id == 0x20746d66 && at + 20 <= b.size()) byteRate = read32(at + 16); // "fmt "
        if (id == 0x61746164 && byteRate != 0)                                   // "data"
            return uint32_t((uint64_t(size) * 1000 + byteRate - 1) / byteRate);
        at += 8 + size + (size & 1);
    }
    return 0;
}

inline QUORINSound* const allClips[] = {&clip128, &clip129, &clip130, &clip131, &clip132,
                                        &clip140, &clip141, &clip142, &clip143};

// The surfaces are made once per process in the game; each test makes them afresh.
inline void renew(QUORINImage& surface) {
    std::destroy_at(&surface);
    std::construct_at(&surface);
}

class RoundTest : public testing::Test {
  protected:
    void SetUp() override {
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(VORBLET_GAME_DIR);
        platform::probe::resetHeadless();
        for (QUORINImage& surface : surfaceTable)
            renew(surface);
        renew(snapshot);
        renew(screen);
        screenBound = 0;
        ASSERT_EQ(bindScreen(screen), &screen);
        ASSERT_EQ(loadSheets(), 1);
        ASSERT_EQ(createLayers(), 1);
        startSound(true);
        setupSprites();
        resetRandom();
        quitRequested.store(0);
        mouseControl = 0;
        const int32_t defaults[6] = {30, 30, 30, 0, 30, 30};
        std::copy(std::begin(defaults), std::end(defaults), ScoreTable);
        score = 0;
    }

    void TearDown() override {
        soundError = 0;
        for (QUORINSound* clip : allClips)
            if (clip->deviceId != 0) clip->close();
        soundDisabled = 0;
        quitRequested.store(0);
        platform::probe::takeSoundEvents();
        // Other tests of the process make these surfaces as they need them.
        for (QUORINImage& surface : surfaceTable)
            renew(surface);
        renew(snapshot);
        renew(screen);
        screenBound = 0;
        std::filesystem::current_path(previousFolder);
    }

    // A fresh headless backend, with or without a sound device, the nine clips opened on it and
    // the slots idle.
    void startSound(bool device) {
        platform::probe::resetHeadless(!device);
        soundError = 0;
        soundDisabled = 0;
        for (QUORINSound* clip : allClips)
            clip->deviceId = 0;
        for (QUORINSoundChannel* slot :
             {&musicSlot, &spawnSlot, &paddleSlot, &blockSlot, &descentSlot})
            slot->clip = nullptr;
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

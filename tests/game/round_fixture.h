#pragma once
// Rounds played in-process on the headless backend, with the artwork and sounds of the built game
// folder, frame by frame, so that a test can look at the round between frames.
#include "app/inventory.h"
#include "app/program_data.h"
#include "game/ball.h"
#include "game/paddle.h"
#include "game/play_field.h"
#include "game/random.h"
#include "game/round.h"
#include "game/round_state.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "platform/headless_probe.h"
#include "platform/platform.h"
#include "sound/sound_clip.h"

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

inline const std::array<std::pair<QUORINSound*, const char*>, 9>& clipFiles() {
    static const std::array<std::pair<QUORINSound*, const char*>, 9> files{{
        {&clip128, "wav/128.wav"},
        {&clip129, "wav/129.wav"},
        {&clip130, "wav/130.wav"},
        {&clip131, "wav/131.wav"},
        {&clip132, "wav/132.wav"},
        {&clip140, "wav/140.wav"},
        {&clip141, "wav/141.wav"},
        {&clip142, "wav/142.wav"},
        {&clip143, "wav/143.wav"},
    }};
    return files;
}

// Puts the artwork of the game folder into a sheet, also when another test of this process made
// the sheet already with artwork of its own.
inline void loadSheet(QUORINImage& sheet, const char* name) {
    QUORINImage loaded;
    ASSERT_EQ(loadBitmap(loaded, name), &loaded) << name;
    sheet.taken = 1;
    sheet.bounds = loaded.bounds;
    sheet.storage = std::move(loaded.storage);
    sheet.pixels = sheet.storage.get();
}

inline void makeLayer(QUORINImage& layer, int32_t width, int32_t height) {
    if (layer.pixels == nullptr) {
        ASSERT_EQ(createSurface(layer, width, height), &layer);
    }
    ASSERT_EQ(layer.bounds.width, width);
    ASSERT_EQ(layer.bounds.height, height);
}

class RoundTest : public testing::Test {
  protected:
    void SetUp() override {
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(VORBLET_GAME_DIR);
        if (screen.pixels == nullptr) {
            ASSERT_EQ(bindScreen(screen), &screen);
        }
        screenBound = 1;
        const char* names[] = {"128", "129", "130", "131", "132"};
        for (int i = 0; i < 5; ++i)
            ASSERT_NO_FATAL_FAILURE(loadSheet(surfaceTable[i], names[i]));
        ASSERT_NO_FATAL_FAILURE(makeLayer(backBuffer, 640, 460));
        ASSERT_NO_FATAL_FAILURE(makeLayer(bgLayer, 640, 460));
        ASSERT_NO_FATAL_FAILURE(makeLayer(fieldLayer, 480, 460));
        ASSERT_NO_FATAL_FAILURE(makeLayer(snapshot, 640, 460));
        initSprite(presentSprite, 0, backBuffer, nullptr, screen, 1.0f);
        initSprite(clearFieldSprite, 0, bgLayer, nullptr, fieldLayer, 1.0f);
        initSprite(composeFieldSprite, 0, fieldLayer, nullptr, backBuffer, 1.0f);
        const BlitRect playArea{0, 0, 460, 480};
        initSprite(presentFieldSprite, 0, backBuffer, &playArea, screen, 1.0f);
        openSounds(true);
        resetRandom();
        quitRequested.store(0);
        mouseControl = 0;
        const int32_t defaults[6] = {30, 30, 30, 0, 30, 30};
        std::copy(std::begin(defaults), std::end(defaults), ScoreTable);
        score = 0;
    }

    void TearDown() override {
        for (auto& [clip, path] : clipFiles())
            clip->deviceId = 0;
        soundError = 0;
        soundDisabled = 0;
        quitRequested.store(0);
        std::filesystem::current_path(previousFolder);
    }

    // A fresh headless backend, with or without a sound device, and the nine clips opened on it.
    void openSounds(bool device) {
        platform::probe::resetHeadless(!device);
        soundError = 0;
        soundDisabled = 0;
        for (auto& [clip, path] : clipFiles()) {
            clip->deviceId = 0;
            if (clip->open(path) != 0) soundDisabled = 1;
        }
        for (QUORINSoundChannel* slot :
             {&musicSlot, &spawnSlot, &paddleSlot, &blockSlot, &descentSlot})
            slot->clip = nullptr;
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

#pragma once
// The screens on the headless backend, in-process: the whole start-up set (sheets, layers,
// clips, compositing sprites) made afresh for each test from the built game folder, controls set
// now or scheduled on the virtual clock, and pictures of the window taken at chosen times.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "game/random.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "input/frame_pacer.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "support/bmp_image.h"
#include "support/headless_probe.h"

namespace screentest {

struct Pixel {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    bool operator==(const Pixel&) const = default;
    bool isWhite() const { return blue == 255 && green == 255 && red == 255; }
};

inline void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "(b" << int(p.blue) << " g" << int(p.green) << " r" << int(p.red) << ")";
}

constexpr Pixel white{255, 255, 255};

// A picture of the window: 640 x 460, blue-green-red bytes, top line first.
using Picture = std::vector<uint8_t>;

inline Pixel pixelOf(const Picture& picture, int32_t x, int32_t y) {
    const uint8_t* p = &picture[(static_cast<size_t>(y) * platform::kWindowWidth + x) * 3];
    return Pixel{p[0], p[1], p[2]};
}

inline Pixel windowPixel(int32_t x, int32_t y) {
    return pixelOf(platform::probe::windowPicture(), x, y);
}

inline uint8_t* pixelAddress(QUORINImage& surface, int32_t x, int32_t y) {
    const int32_t width = surface.bounds.width;
    const int32_t height = surface.bounds.height;
    return surface.pixels + (static_cast<size_t>(height - 1 - y) * width + x) * 3;
}

inline Pixel surfacePixel(QUORINImage& surface, int32_t x, int32_t y) {
    const uint8_t* p = pixelAddress(surface, x, y);
    return Pixel{p[0], p[1], p[2]};
}

inline void paint(QUORINImage& surface, int32_t top, int32_t left, int32_t height, int32_t width,
                  Pixel colour) {
    for (int32_t y = top; y < top + height; ++y) {
        for (int32_t x = left; x < left + width; ++x) {
            uint8_t* p = pixelAddress(surface, x, y);
            p[0] = colour.blue;
            p[1] = colour.green;
            p[2] = colour.red;
        }
    }
}

// Shows a whole surface in the window, as the screen before a screen is entered.
inline void showInWindow(QUORINImage& surface) {
    platform::writeWindow(0, 0, surface.bounds.width, surface.bounds.height,
                          pixelAddress(surface, 0, 0),
                          -static_cast<ptrdiff_t>(surface.bounds.width) * 3);
}

inline void schedule(uint32_t ms, int key, bool down) {
    platform::probe::scheduleKey(ms, key, down);
}
inline void dropScheduled() {
    platform::probe::dropScheduledKeys();
}

inline void hold(int key, uint32_t fromMs, uint32_t toMs) {
    schedule(fromMs, key, true);
    schedule(toMs, key, false);
}

// Pictures of the window as it stands when the virtual clock reaches each time.
class Shots {
  public:
    explicit Shots(const std::vector<uint32_t>& times) {
        for (uint32_t ms : times) {
            paths.push_back(std::filesystem::temp_directory_path() /
                            ("vorblet-screens-" + std::to_string(getpid()) + "-" +
                             std::to_string(paths.size()) + ".bmp"));
            platform::addShot(ms, paths.back().c_str());
        }
    }
    ~Shots() {
        for (const auto& path : paths)
            std::filesystem::remove(path);
    }
    Shots(const Shots&) = delete;
    Shots& operator=(const Shots&) = delete;

    // The picture taken at the i-th time, top line first; empty when it was never taken.
    Picture picture(size_t i) const {
        BmpImage image = readBmpImage(paths[i]);
        if (image.width != platform::kWindowWidth || image.height != platform::kWindowHeight)
            return {};
        return std::move(image.pixels);
    }

  private:
    std::vector<std::filesystem::path> paths;
};

// The globals are made once per process in the game; each test makes them afresh.
inline void renew(QUORINImage& surface) {
    std::destroy_at(&surface);
    std::construct_at(&surface);
}

inline QUORINSound* const allClips[] = {&clip128, &clip129, &clip130, &clip131, &clip132,
                                        &clip140, &clip141, &clip142, &clip143};
inline QUORINSoundChannel* const allSlots[] = {&musicSlot, &spawnSlot, &paddleSlot, &blockSlot,
                                               &descentSlot};

inline void closeClips() {
    soundError = 0;
    for (QUORINSound* clip : allClips)
        if (clip->deviceId != 0) clip->close();
    for (QUORINSoundChannel* slot : allSlots)
        slot->clip = nullptr;
}

// Binds the screen on a fresh headless backend, inside a game folder.
class BoundScreenTest : public testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(gameFolder());
        closeClips();
        platform::probe::resetHeadless();
        for (QUORINImage& surface : surfaceTable)
            renew(surface);
        renew(snapshot);
        renew(screen);
        screenBound = 0;
        ASSERT_EQ(bindScreen(screen), &screen);
        soundDisabled = 0;
        quitRequested.store(0);
        frameMark = 0;
        resetRandom();
    }
    void TearDown() override {
        quitRequested.store(0);
        closeClips();
        platform::probe::takeSoundEvents();
        platform::probe::takeBoxes();
        std::filesystem::current_path(previous);
    }
    virtual std::filesystem::path gameFolder() const { return VORBLET_GAME_DIR; }

    std::filesystem::path previous;
};

// Everything the game thread sets up before its first screen.
class ScreenTest : public BoundScreenTest {
  protected:
    void SetUp() override {
        BoundScreenTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(loadSheets(), 1);
        ASSERT_EQ(createLayers(), 1);
        ASSERT_EQ(openSounds(), 1);
        setupSprites();
        platform::probe::takeSoundEvents();
    }
};

} // namespace screentest

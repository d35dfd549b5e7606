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
#include "support/pixels.h"
#include "support/program_reset.h"

namespace screentest {

// A picture of the window: 640 x 460, blue-green-red bytes, top line first.
using Picture = std::vector<uint8_t>;

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

// Binds the screen on a fresh headless backend, inside a game folder.
class BoundScreenTest : public testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(gameFolder());
        resetProgram();
        ASSERT_EQ(bindScreen(screen), &screen);
    }
    void TearDown() override {
        quitRequested.store(0);
        closeSound();
        platform::probe::takeSoundEvents();
        platform::probe::takeBoxes();
        renewSurfaces();
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

// The generated bitmaps pass the game's own loading and checksum code, logo bitmaps included.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "gfx/image.h"
#include "support/headless_probe.h"
#include "support/program_reset.h"

namespace fs = std::filesystem;

namespace {

TEST(GeneratedArtwork, PassesTheGamesOwnLoadAndChecksum) {
    fs::path previous = fs::current_path();
    fs::current_path(VORBLET_GAME_DIR);
    platform::probe::resetHeadless();
    ASSERT_TRUE(bindTestWindow());
    struct Case {
        const char* name;
        uint32_t expected;
        int32_t multiplier;
    } cases[] = {{"128", 0x30CDD974, 3},        {"129", 0xB3FE902F, 3},
                 {"130", 0x771AF63D, 3},        {"131", 0x4A23272F, 3},
                 {"132", 0x4ED4F458, 3},        {"QUORINFACE", 0xF1C998AA, 99},
                 {"QUORINLOGO", 0x59D3E647, 99}};
    for (const Case& c : cases) {
        QUORINImage surface;
        ASSERT_EQ(loadBitmap(surface, c.name), &surface) << c.name;
        EXPECT_EQ(verifyBitmap(surface, c.expected, c.multiplier), 1) << c.name;
    }
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    fs::current_path(previous);
}

} // namespace

#include "gfx/image.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/blit.h"
#include "gfx/bmp_file.h"
#include "gfx/surface_util.h"
#include "support/headless_probe.h"

namespace fs = std::filesystem;

namespace {

const std::string kLoadFailure = "\n の読込みに失敗しました。";
const std::string kSeparator(1, fs::path::preferred_separator);

class ImageTest : public testing::Test {
  protected:
    void SetUp() override { resetProgram(true); }
};

TEST_F(ImageTest, NothingIsMadeBeforeTheScreenIsBound) {
    QUORINImage surface, bitmap;
    EXPECT_EQ(createSurface(surface, 8, 8), nullptr);
    EXPECT_EQ(loadBitmap(bitmap, "128"), nullptr);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    QUORINImage screen;
    ASSERT_EQ(bindScreen(screen), &screen);
    QUORINImage later;
    EXPECT_EQ(createSurface(later, 8, 8), &later);
}

TEST_F(ImageTest, BindingTheScreenGivesTheWindowsSize) {
    QUORINImage screen;
    ASSERT_EQ(bindScreen(screen), &screen);
    EXPECT_EQ(screen.isScreen, 1);
    EXPECT_EQ(screen.bounds.top, 0);
    EXPECT_EQ(screen.bounds.left, 0);
    EXPECT_EQ(screen.bounds.height, 460);
    EXPECT_EQ(screen.bounds.width, 640);
    EXPECT_EQ(bindScreen(screen), nullptr);
}

TEST_F(ImageTest, ARecordIsMadeAtMostOnce) {
    ASSERT_TRUE(bindTestWindow());
    QUORINImage surface;
    ASSERT_EQ(createSurface(surface, BlitRect{5, 7, 3, 8}), &surface);
    EXPECT_EQ(surface.bounds.top, 0);
    EXPECT_EQ(surface.bounds.left, 0);
    EXPECT_EQ(surface.bounds.height, 3);
    EXPECT_EQ(surface.bounds.width, 8);
    uint8_t* const pixels = surface.pixels;
    EXPECT_EQ(createSurface(surface, 16, 16), nullptr);
    EXPECT_EQ(loadBitmap(surface, "128"), nullptr);
    EXPECT_EQ(bindScreen(surface), nullptr);
    EXPECT_EQ(surface.pixels, pixels);
    EXPECT_EQ(surface.bounds.width, 8);
    EXPECT_EQ(surface.isScreen, 0);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());

    QUORINImage failed; // a failed creation still takes the record
    EXPECT_EQ(createSurface(failed, 0, 4), nullptr);
    EXPECT_EQ(createSurface(failed, 4, 4), nullptr);
}

TEST_F(ImageTest, FillPaintsEveryPixel) {
    QUORINImage surface;
    makeSurface(surface, 8, 3);
    fillSurface(surface, 0x101, 0x202, 0x303); // only the low 8 bits count
    for (int i = 0; i < 8 * 3; ++i) {
        EXPECT_EQ(surface.pixels[i * 3], 3);
        EXPECT_EQ(surface.pixels[i * 3 + 1], 2);
        EXPECT_EQ(surface.pixels[i * 3 + 2], 1);
    }
    fillSurface(surface, 255, 255, 255);
    for (int i = 0; i < 8 * 3 * 3; ++i)
        EXPECT_EQ(surface.pixels[i], 255);
}

class ChecksumTest : public ImageTest {
  protected:
    void SetUp() override {
        ImageTest::SetUp();
        makeSurface(surface, 4, 2);
        for (int i = 0; i < 24; ++i)
            surface.pixels[i] = static_cast<uint8_t>(i + 1);
    }
    QUORINImage surface;
};

TEST_F(ChecksumTest, SumsTheFirstWidthTimesHeightBytes) {
    // Multiplier 3 over the 8 bytes 1 .. 8.
    uint32_t sum = 0;
    for (uint32_t b = 1; b <= 8; ++b)
        sum = sum * 3 + b;
    EXPECT_EQ(verifyBitmap(surface, sum, 3), 1);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    // Multiplier 256: the last four covered bytes, the earliest the most significant.
    EXPECT_EQ(verifyBitmap(surface, 0x05060708, 256), 1);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
}

TEST_F(ChecksumTest, AFourByOneSurfaceSumsToFiftyEight) {
    QUORINImage small;
    makeSurface(small, 4, 1);
    for (int i = 0; i < 12; ++i)
        small.pixels[i] = static_cast<uint8_t>(i + 1);
    EXPECT_EQ(verifyBitmap(small, 58, 3), 1);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    EXPECT_EQ(verifyBitmap(small, 1, 3), 1);
    EXPECT_EQ(platform::probe::takeBoxes(), std::vector<std::string>{"ChkSum|58"});
    EXPECT_EQ(verifyBitmap(small, 59, 3), 0);
    EXPECT_EQ(platform::probe::takeBoxes(), std::vector<std::string>{"Error|BMPが不正です。"});
}

TEST_F(ChecksumTest, TheSumIsShownUnsigned) {
    surface.pixels[7] = 0xFF;
    surface.pixels[6] = 0xFF;
    surface.pixels[5] = 0xFF;
    surface.pixels[4] = 0xFF;
    EXPECT_EQ(verifyBitmap(surface, 1, 256), 1);
    EXPECT_EQ(platform::probe::takeBoxes(), std::vector<std::string>{"ChkSum|4294967295"});
}

TEST_F(ChecksumTest, MultiplierZeroAcceptsAnything) {
    EXPECT_EQ(verifyBitmap(surface, 12345, 0), 1);
    EXPECT_EQ(verifyBitmap(surface, 1, 0), 1);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
}

// Runs in a fresh folder with a BMP folder in it, and goes back afterwards.
class LoadTest : public ImageTest {
  protected:
    void SetUp() override {
        ImageTest::SetUp();
        folder = fs::temp_directory_path() /
                 ("vorblet-gfx-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "BMP");
        previous = fs::current_path();
        fs::current_path(folder);
        ASSERT_TRUE(bindTestWindow());
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
    void put(const std::string& name, const std::vector<uint8_t>& bytes) {
        writeFile((folder / "BMP" / (name + ".bmp")).string(), bytes);
    }
    fs::path folder, previous;
};

TEST_F(LoadTest, LoadsAFileIntoBottomUpRows) {
    put("130", readBytes(std::string(VORBLET_SOURCE_DIR) + "/tests/gfx/fixtures/topdown24.bmp"));
    const auto expected =
        readBytes(std::string(VORBLET_SOURCE_DIR) + "/tests/gfx/fixtures/topdown24.bgr");
    QUORINImage sheet;
    ASSERT_EQ(loadBitmap(sheet, "130"), &sheet);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    EXPECT_EQ(sheet.bounds.height, 6);
    EXPECT_EQ(sheet.bounds.width, 12);
    EXPECT_EQ(sheet.isScreen, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(pixelAt(sheet, x, y),
                      (Pixel{expected[(y * 12 + x) * 3], expected[(y * 12 + x) * 3 + 1],
                             expected[(y * 12 + x) * 3 + 2]}));
}

TEST_F(LoadTest, AFileThatCannotBeReadGivesTheLoadMessage) {
    bmpfile::Info odd; // 6 pixels wide: not a multiple of 4
    odd.width = 6;
    odd.pixels.resize(20);
    put("131", bmpfile::build(odd));
    bmpfile::Info good;
    good.pixels.resize(12);
    auto truncated = bmpfile::build(good);
    truncated.pop_back();
    put("132", truncated);
    fs::create_directories(folder / "BMP" / "128.bmp"); // a folder, not a file

    for (const char* name : {"129", "131", "132", "128"}) {
        QUORINImage sheet;
        EXPECT_EQ(loadBitmap(sheet, name), nullptr) << name;
        EXPECT_EQ(platform::probe::takeBoxes(),
                  std::vector<std::string>{"Error|BMP" + kSeparator + name + ".bmp" + kLoadFailure})
            << name;
        EXPECT_EQ(sheet.pixels, nullptr);
    }
}

class ScreenTest : public ImageTest {
  protected:
    void SetUp() override {
        ImageTest::SetUp();
        ASSERT_EQ(bindScreen(screen), &screen);
        makeSurface(art, 32, 32);
        paintCoordinates(art);
    }
    QUORINImage screen, art;
};

TEST_F(ScreenTest, FillingTheScreenPaintsTheWindow) {
    fillSurface(screen, 10, 20, 30);
    EXPECT_EQ(windowPixel(0, 0), (Pixel{30, 20, 10}));
    EXPECT_EQ(windowPixel(639, 459), (Pixel{30, 20, 10}));
}

TEST_F(ScreenTest, EveryModeIsACopyIntoTheWindowWhiteIncluded) {
    setPixel(art, 0, 0, {255, 255, 255});
    for (int32_t mode : {copy, keyed, blend}) {
        fillSurface(screen, 0, 0, 0);
        const uint64_t before = platform::probe::presentCount();
        blit(art, mode, {0, 0, 4, 4}, screen, {100, 200, 4, 4}, 0.5f);
        EXPECT_EQ(platform::probe::presentCount(), before + 1) << mode;
        EXPECT_EQ(windowPixel(200, 100), (Pixel{255, 255, 255})) << mode;
        EXPECT_EQ(windowPixel(203, 103), (Pixel{3, 3, 7})) << mode;
        EXPECT_EQ(windowPixel(204, 103), (Pixel{0, 0, 0})) << mode;
    }
}

TEST_F(ScreenTest, CopiesIntoTheWindowAreClippedToIt) {
    fillSurface(screen, 0, 0, 0);
    blit(art, copy, {0, 0, 32, 32}, screen, {450, 630, 32, 32}, 1.0f);
    EXPECT_EQ(windowPixel(630, 450), (Pixel{0, 0, 7}));
    EXPECT_EQ(windowPixel(639, 459), (Pixel{9, 9, 7}));
    blit(art, copy, {0, 0, 32, 32}, screen, {-30, -31, 32, 32}, 1.0f);
    EXPECT_EQ(windowPixel(0, 0), (Pixel{31, 30, 7}));
    EXPECT_EQ(windowPixel(0, 1), (Pixel{31, 31, 7}));
    EXPECT_EQ(windowPixel(1, 0), (Pixel{0, 0, 0}));
}

TEST_F(ScreenTest, CopiesOutOfTheWindowReadWhatItShows) {
    blit(art, copy, {0, 0, 32, 32}, screen, {10, 20, 32, 32}, 1.0f);
    QUORINImage copyOfWindow;
    makeSurface(copyOfWindow, 640, 460);
    blit(screen, keyed, {0, 0, 460, 640}, copyOfWindow, {0, 0, 460, 640}, 1.0f);
    EXPECT_EQ(pixelAt(copyOfWindow, 20, 10), (Pixel{0, 0, 7}));
    EXPECT_EQ(pixelAt(copyOfWindow, 51, 41), (Pixel{31, 31, 7}));
    EXPECT_EQ(pixelAt(copyOfWindow, 0, 0), (Pixel{255, 255, 255}));
    const auto& picture = platform::probe::windowPicture();
    for (int y = 0; y < 460; y += 7)
        ASSERT_EQ(0, std::memcmp(pixelAddress(copyOfWindow, 0, y), &picture[y * 640 * 3], 640 * 3))
            << y;
}

TEST_F(ScreenTest, CopiesWithinTheWindowMoveAWholeBlock) {
    blit(art, copy, {0, 0, 32, 32}, screen, {0, 0, 32, 32}, 1.0f);
    blit(screen, copy, {0, 0, 32, 32}, screen, {8, 8, 32, 32}, 1.0f);
    EXPECT_EQ(windowPixel(8, 8), (Pixel{0, 0, 7}));
    EXPECT_EQ(windowPixel(39, 39), (Pixel{31, 31, 7}));
    EXPECT_EQ(windowPixel(3, 3), (Pixel{3, 3, 7}));
}

TEST_F(ScreenTest, AStretchIntoTheWindowShowsOnlyWhatItSampled) {
    fillSurface(screen, 0, 0, 0);
    const uint64_t before = platform::probe::presentCount();
    blit(art, keyed, {24, 24, 8, 8}, screen, {0, 0, 16, 16}, 1.0f); // runs past the art's edge
    EXPECT_EQ(platform::probe::presentCount(), before + 1);
    EXPECT_EQ(windowPixel(0, 0), (Pixel{24, 24, 7}));
    EXPECT_EQ(windowPixel(15, 14), (Pixel{31, 31, 7}));
    EXPECT_EQ(windowPixel(0, 15), (Pixel{0, 0, 0})); // samples line 32, outside the art
    blit(screen, copy, {0, 0, 16, 16}, screen, {100, 100, 8, 8}, 1.0f);
    EXPECT_EQ(windowPixel(100, 100), (Pixel{24, 24, 7}));
    EXPECT_EQ(windowPixel(107, 106), (Pixel{31, 30, 7}));
    EXPECT_EQ(windowPixel(107, 107), (Pixel{31, 31, 7}));
}

} // namespace

#include "screens/startup_logo.h"

#include "screen_fixture.h"

#include "support/files.h"

using namespace screentest;
namespace fs = std::filesystem;
namespace probe = platform::probe;

namespace {

// A scratch game folder holding only the two logo bitmaps, which a test may remove or alter.
class StartupLogo : public BoundScreenTest {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vorblet-logo-" + std::to_string(getpid()));
        restoreFiles();
        BoundScreenTest::SetUp();
    }
    void TearDown() override {
        BoundScreenTest::TearDown();
        fs::remove_all(folder);
    }
    fs::path gameFolder() const override { return folder; }

    void restoreFiles() {
        fs::create_directories(folder / "BMP");
        for (const char* name : {"QUORINFACE.bmp", "QUORINLOGO.bmp"})
            fs::copy_file(fs::path(VORBLET_GAME_DIR) / "BMP" / name, folder / "BMP" / name,
                          fs::copy_options::overwrite_existing);
    }

    void alter(const char* name) { ::alter(folder / "BMP" / (std::string(name) + ".bmp")); }

    fs::path folder;
};

constexpr int32_t faceTop = 20, faceLeft = 256, logoTop = 240, logoLeft = 80;
// The sweep starts at clock 0 and lasts 49 steps of 10 ms; the face frames follow.
constexpr uint32_t faceStartMs = 490;

// Which face frame, 0 to 3, the picture shows at its place; -1 for none.
int32_t shownFaceFrame(const Picture& picture, QUORINImage& face) {
    for (int32_t frame = 0; frame < 4; ++frame) {
        bool same = true;
        for (int32_t y = 0; y < 200 && same; ++y)
            for (int32_t x = 0; x < 128 && same; ++x)
                same = pictureAt(picture, faceLeft + x, faceTop + y) ==
                       pixelAt(face, 128 * frame + x, y);
        if (same) return frame;
    }
    return -1;
}

bool framesDiffer(QUORINImage& face, int32_t a, int32_t b) {
    for (int32_t y = 0; y < 200; ++y)
        for (int32_t x = 0; x < 128; ++x)
            if (!(pixelAt(face, 128 * a + x, y) == pixelAt(face, 128 * b + x, y))) return true;
    return false;
}

// A pixel of the first logo image after the second image's pixel was blended over it `times`
// times at weight 0.1 (t = 51); white pixels of the second image leave it alone.
Pixel blendedTimes(Pixel first, Pixel second, int32_t times) {
    if (second.isWhite()) return first;
    auto mix = [](int32_t s, int32_t d) { return ((s * 51) >> 9) + ((d * (512 - 51)) >> 9); };
    for (int32_t i = 0; i < times; ++i)
        first = Pixel{static_cast<uint8_t>(mix(second.blue, first.blue)),
                      static_cast<uint8_t>(mix(second.green, first.green)),
                      static_cast<uint8_t>(mix(second.red, first.red))};
    return first;
}

TEST_F(StartupLogo, PlaysInAbout1730MsAndShowsTheFaceFramesInTheirOrder) {
    // Inside each period of the face animation, and in the final wait.
    std::vector<uint32_t> times;
    for (uint32_t ms : {60u, 180u, 300u, 420u, 540u, 660u, 780u, 1000u})
        times.push_back(faceStartMs + ms);
    Shots shots(times);

    EXPECT_EQ(showStartupLogo(screen), 1);

    EXPECT_EQ(platform::tickCount(), 490u + 7 * 120 + 400);
    // The first picture, the 49 sweep steps and the six face frames.
    EXPECT_EQ(probe::presentCount(), 1u + 49 + 6);
    EXPECT_TRUE(probe::takeBoxes().empty());
    QUORINImage face;
    ASSERT_NE(loadBitmap(face, "QUORINFACE"), nullptr);
    for (int32_t a = 0; a < 4; ++a)
        for (int32_t b = a + 1; b < 4; ++b)
            ASSERT_TRUE(framesDiffer(face, a, b)) << a << " " << b;
    std::vector<int32_t> frames;
    for (size_t i = 0; i < times.size(); ++i)
        frames.push_back(shownFaceFrame(shots.picture(i), face));
    // The second 0 is held for two periods.
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 0, 1, 0, 0, 2, 3, 3}));
    EXPECT_EQ(shownFaceFrame(probe::windowPicture(), face), 3);
}

TEST_F(StartupLogo, TheSecondLogoSweepsInFromTheLeftOnAWhiteCanvas) {
    // Before the second sweep step, and just after it.
    Shots shots({5, 15});

    ASSERT_EQ(showStartupLogo(screen), 1);

    QUORINImage logo;
    ASSERT_NE(loadBitmap(logo, "QUORINLOGO"), nullptr);
    const Picture beforeSecondStep = shots.picture(0), afterSecondStep = shots.picture(1);
    ASSERT_FALSE(beforeSecondStep.empty());
    ASSERT_FALSE(afterSecondStep.empty());
    int32_t changedByOneStep = 0;
    for (int32_t y = 0; y < 178; ++y) {
        for (int32_t x = 0; x < 480; ++x) {
            const Pixel first = pixelAt(logo, x, y);
            const Pixel second = pixelAt(logo, x, 178 + y);
            // The step with width 0 draws nothing.
            ASSERT_EQ(pictureAt(beforeSecondStep, logoLeft + x, logoTop + y), first);
            ASSERT_EQ(pictureAt(afterSecondStep, logoLeft + x, logoTop + y),
                      blendedTimes(first, second, x < 10 ? 1 : 0));
            changedByOneStep += blendedTimes(first, second, 1) == first ? 0 : 1;
            // Strip k of ten columns is blended in every step from width 10 (k + 1) on.
            ASSERT_EQ(windowPixel(logoLeft + x, logoTop + y),
                      blendedTimes(first, second, 48 - x / 10))
                << x << "," << y;
        }
    }
    EXPECT_GT(changedByOneStep, 1000);
    // The canvas is white around the face and the logo.
    for (auto [x, y] : {std::pair{0, 0}, {639, 459}, {100, 10}, {70, 300}, {600, 300}})
        EXPECT_EQ(windowPixel(x, y), white) << x << "," << y;
}

struct Damage {
    const char* name;
    bool faceMissing, faceAltered, logoMissing, logoAltered;
    std::vector<std::string> boxes;
};

const std::string faceMissingBox = "Error|BMP/QUORINFACE.bmp\n の読込みに失敗しました。";
const std::string logoMissingBox = "Error|BMP/QUORINLOGO.bmp\n の読込みに失敗しました。";
const std::string alteredBox = "Error|BMPが不正です。";

TEST_F(StartupLogo, AMissingOrAlteredBitmapStopsItBeforeAnythingIsDrawn) {
    const Damage cases[] = {
        {"face missing", true, false, false, false, {faceMissingBox}},
        {"both missing", true, false, true, false, {faceMissingBox}},
        {"logo missing", false, false, true, false, {logoMissingBox}},
        {"face altered, logo missing", false, true, true, false, {logoMissingBox}},
        {"face altered", false, true, false, false, {alteredBox}},
        {"both altered", false, true, false, true, {alteredBox}},
        {"logo altered", false, false, false, true, {alteredBox}},
    };
    for (const Damage& c : cases) {
        restoreFiles();
        probe::resetHeadless();
        if (c.faceAltered) alter("QUORINFACE");
        if (c.logoAltered) alter("QUORINLOGO");
        if (c.faceMissing) fs::remove(folder / "BMP/QUORINFACE.bmp");
        if (c.logoMissing) fs::remove(folder / "BMP/QUORINLOGO.bmp");
        EXPECT_EQ(showStartupLogo(screen), 0) << c.name;
        EXPECT_EQ(probe::takeBoxes(), c.boxes) << c.name;
        EXPECT_EQ(probe::presentCount(), 0u) << c.name;
        EXPECT_EQ(platform::tickCount(), 0u) << c.name;
    }
}

} // namespace

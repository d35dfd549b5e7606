// The start-up steps of the inventory on the headless backend, with the generated artwork and
// sounds copied into a scratch game folder.
#include "objects/inventory.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "objects/program_data.h"
#include "platform/platform.h"
#include "support/files.h"
#include "support/headless_probe.h"
#include "support/program_reset.h"

namespace fs = std::filesystem;

namespace {

class InventoryTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vorblet-inventory-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* sub : {"BMP", "wav"})
            fs::copy(fs::path(VORBLET_GAME_DIR) / sub, folder / sub, fs::copy_options::recursive);
        previous = fs::current_path();
        fs::current_path(folder);
        resetProgram();
        ASSERT_EQ(bindScreen(screen), &screen);
    }
    void TearDown() override {
        closeSound();
        platform::probe::takeSoundEvents();
        platform::probe::takeBoxes();
        renewSurfaces();
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    void alter(const char* name) { ::alter(folder / "BMP" / (std::string(name) + ".bmp")); }

    fs::path folder, previous;
};

std::string missingBox(const char* name) {
    return std::string("Error|BMP/") + name + ".bmp\n の読込みに失敗しました。";
}

TEST_F(InventoryTest, WithEveryFilePresentTheWholeStartUpSucceeds) {
    EXPECT_EQ(loadSheets(), 1);
    EXPECT_EQ(createLayers(), 1);
    EXPECT_EQ(openSounds(), 1);
    setupSprites();
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
    EXPECT_EQ(soundDisabled, 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(surfaceTable[i].pixels, nullptr) << i;
    EXPECT_EQ(backBuffer.bounds.width, 640);
    EXPECT_EQ(backBuffer.bounds.height, 460);
    EXPECT_EQ(bgLayer.bounds.width, 640);
    EXPECT_EQ(fieldLayer.bounds.width, 480);
    EXPECT_EQ(fieldLayer.bounds.height, 460);
    EXPECT_EQ(snapshot.bounds.width, 640);
    EXPECT_EQ(surfaceTable[8].taken + surfaceTable[9].taken, 0);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"open 128 0", "open 129 0", "open 130 0", "open 131 0",
                                        "open 132 0", "open 140 0", "open 141 0", "open 142 0",
                                        "open 143 0"}));
}

TEST_F(InventoryTest, TwoMissingSheetsGiveTwoMessagesAndNoChecksum) {
    fs::remove(folder / "BMP/129.bmp");
    fs::remove(folder / "BMP/131.bmp");
    EXPECT_EQ(loadSheets(), 0);
    EXPECT_EQ(platform::probe::takeBoxes(),
              (std::vector<std::string>{missingBox("129"), missingBox("131")}));
    // The sheets after the first missing one were still loaded.
    EXPECT_NE(blockSheet.pixels, nullptr);
}

TEST_F(InventoryTest, TwoAlteredSheetsGiveTwoChecksumMessages) {
    alter("128");
    alter("132");
    EXPECT_EQ(loadSheets(), 0);
    EXPECT_EQ(platform::probe::takeBoxes(),
              (std::vector<std::string>{"Error|BMPが不正です。", "Error|BMPが不正です。"}));
}

TEST_F(InventoryTest, AMissingWav130LeavesTheFirstTwoOpenAndSilencesTheRun) {
    fs::remove(folder / "wav/130.wav");
    EXPECT_EQ(openSounds(), 0);
    EXPECT_EQ(soundDisabled, 1);
    EXPECT_NE(clip128.deviceId, 0u);
    EXPECT_NE(clip129.deviceId, 0u);
    for (QUORINSound* clip : {&clip130, &clip131, &clip132, &clip140, &clip141, &clip142, &clip143})
        EXPECT_EQ(clip->deviceId, 0u);
    const int bad = platform::kAudioErrorBadFile;
    std::vector<std::string> expected{"open 128 0", "open 129 0"};
    for (int n : {130, 131, 132, 140, 141, 142, 143})
        expected.push_back("open " + std::to_string(n) + " " + std::to_string(bad));
    EXPECT_EQ(platform::probe::takeSoundEvents(), expected);
    // The clips that opened are silent too.
    EXPECT_EQ(musicSlot.playIfIdle(clip128), 0);
    EXPECT_EQ(musicSlot.poll(), bad);
    EXPECT_EQ(platform::probe::takeSoundEvents(),
              (std::vector<std::string>{"play 128 " + std::to_string(bad)}));
}

TEST_F(InventoryTest, NoSoundDeviceFailsTheFirstOpenAndSetsSoundDisabled) {
    platform::probe::resetHeadless(true);
    EXPECT_EQ(openSounds(), 0);
    EXPECT_EQ(soundDisabled, 1);
    for (QUORINSound* clip : allClips)
        EXPECT_EQ(clip->deviceId, 0u);
}

TEST_F(InventoryTest, CreateLayersStopsAtTheFirstLayerThatCannotBeMade) {
    // bgLayer taken already: backBuffer is made, fieldLayer and snapshot are not tried.
    ASSERT_EQ(createSurface(bgLayer, 16, 16), &bgLayer);
    EXPECT_EQ(createLayers(), 0);
    EXPECT_EQ(backBuffer.bounds.width, 640);
    EXPECT_EQ(fieldLayer.taken, 0);
    EXPECT_EQ(snapshot.taken, 0);
}

TEST_F(InventoryTest, NothingIsMadeBeforeTheScreenIsBound) {
    renewSurfaces();
    EXPECT_EQ(loadSheets(), 0);
    EXPECT_EQ(createLayers(), 0);
    EXPECT_TRUE(platform::probe::takeBoxes().empty());
}

TEST_F(InventoryTest, TheCompositingSpritesCopyTheirRectangleToTheSamePlace) {
    ASSERT_EQ(createLayers(), 1);
    setupSprites();
    struct Expected {
        const QUORINSprite& sprite;
        const QUORINImage& source;
        const QUORINImage& target;
        int16_t width;
    } cases[] = {{presentSprite, backBuffer, screen, 640},
                 {clearFieldSprite, bgLayer, fieldLayer, 640},
                 {composeFieldSprite, fieldLayer, backBuffer, 480},
                 {presentFieldSprite, backBuffer, screen, 480}};
    for (const Expected& e : cases) {
        EXPECT_EQ(e.sprite.source, &e.source);
        EXPECT_EQ(e.sprite.target, &e.target);
        EXPECT_EQ(e.sprite.mode, 0);
        EXPECT_EQ(e.sprite.weight, 1.0f);
        for (const BlitRect& r : {e.sprite.srcRect, e.sprite.destRect}) {
            EXPECT_EQ(r.top, 0);
            EXPECT_EQ(r.left, 0);
            EXPECT_EQ(r.height, 460);
            EXPECT_EQ(r.width, e.width);
        }
    }
}

} // namespace

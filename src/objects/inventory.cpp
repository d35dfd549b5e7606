#include "objects/inventory.h"

#include "platform/system/game_files.h"

#include "gfx/image.h"
#include "objects/program_data.h"
#include "platform/platform.h"

#include <string>

// Defined in this order so that they are built in this order and destroyed in reverse: the
// slots first (which stops nothing), then the clips (each open one is closed), then the sprites.
QUORINSprite presentSprite;
QUORINSprite clearFieldSprite;
QUORINSprite composeFieldSprite;
QUORINSprite presentFieldSprite;

QUORINSound clip128, clip129, clip130, clip131, clip132;
QUORINSound clip140, clip141, clip142, clip143;

QUORINSoundChannel musicSlot, spawnSlot, paddleSlot, blockSlot, descentSlot;

namespace {

struct Sheet {
    QUORINImage& surface;
    const char* name;
    uint32_t expected;
};

const Sheet sheets[] = {
    {fontSheet, "128", 0x30CDD974},     {titleSheet, "129", 0xB3FE902F},
    {backdropSheet, "130", 0x771AF63D}, {spriteSheet, "131", 0x4A23272F},
    {blockSheet, "132", 0x4ED4F458},
};

struct ClipFile {
    QUORINSound& clip;
    const char* path; // a constant: the clip keeps pointing at it
};

const ClipFile clipFiles[] = {
    {clip128, "wav" PLATFORM_SEPARATOR "128.wav"}, {clip129, "wav" PLATFORM_SEPARATOR "129.wav"},
    {clip130, "wav" PLATFORM_SEPARATOR "130.wav"}, {clip131, "wav" PLATFORM_SEPARATOR "131.wav"},
    {clip132, "wav" PLATFORM_SEPARATOR "132.wav"}, {clip140, "wav" PLATFORM_SEPARATOR "140.wav"},
    {clip141, "wav" PLATFORM_SEPARATOR "141.wav"}, {clip142, "wav" PLATFORM_SEPARATOR "142.wav"},
    {clip143, "wav" PLATFORM_SEPARATOR "143.wav"},
};

} // namespace

int loadSheets() {
    int ok = 1;
    for (const Sheet& sheet : sheets)
        if (loadBitmap(sheet.surface, sheet.name) == nullptr) ok = 0;
    if (ok == 0) return 0;
    for (const Sheet& sheet : sheets)
        if (verifyBitmap(sheet.surface, sheet.expected, 3) != 1) ok = 0;
    return ok;
}

int createLayers() {
    using platform::kWindowHeight, platform::kWindowWidth;
    if (createSurface(backBuffer, kWindowWidth, kWindowHeight) == nullptr) return 0;
    if (createSurface(bgLayer, kWindowWidth, kWindowHeight) == nullptr) return 0;
    if (createSurface(fieldLayer, kPlayAreaWidth, kWindowHeight) == nullptr) return 0;
    if (createSurface(snapshot, kWindowWidth, kWindowHeight) == nullptr) return 0;
    return 1;
}

int openSounds() {
    int ok = 1;
    for (const ClipFile& file : clipFiles)
        if (file.clip.open(file.path) != 0) ok = 0;
    if (ok == 0) soundDisabled = 1;
    return ok;
}

void setupSprites() {
    initSprite(presentSprite, 0, backBuffer, nullptr, screen, 1.0f);
    initSprite(clearFieldSprite, 0, bgLayer, nullptr, fieldLayer, 1.0f);
    initSprite(composeFieldSprite, 0, fieldLayer, nullptr, backBuffer, 1.0f);
    initSprite(presentFieldSprite, 0, backBuffer, &kPlayArea, screen, 1.0f);
}

const std::vector<const char*>& assetFiles() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> all;
        for (const Sheet& sheet : sheets)
            all.push_back(bitmapPath(sheet.name));
        for (const ClipFile& file : clipFiles)
            all.push_back(platform::gameFilePath(file.path));
        return all;
    }();
    static const std::vector<const char*> names = [] {
        std::vector<const char*> all;
        for (const std::string& path : paths)
            all.push_back(path.c_str());
        return all;
    }();
    return names;
}

#include "app/inventory.h"

#include "app/program_data.h"

#include <cstdlib>

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

#ifdef _WIN32
#define VORBLET_SEPARATOR "\\"
#else
#define VORBLET_SEPARATOR "/"
#endif

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
    {clip128, "wav" VORBLET_SEPARATOR "128.wav"}, {clip129, "wav" VORBLET_SEPARATOR "129.wav"},
    {clip130, "wav" VORBLET_SEPARATOR "130.wav"}, {clip131, "wav" VORBLET_SEPARATOR "131.wav"},
    {clip132, "wav" VORBLET_SEPARATOR "132.wav"}, {clip140, "wav" VORBLET_SEPARATOR "140.wav"},
    {clip141, "wav" VORBLET_SEPARATOR "141.wav"}, {clip142, "wav" VORBLET_SEPARATOR "142.wav"},
    {clip143, "wav" VORBLET_SEPARATOR "143.wav"},
};

#undef VORBLET_SEPARATOR

void closeClips() {
    for (const ClipFile& file : clipFiles)
        if (file.clip.deviceId != 0) file.clip.close();
}

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
    if (createSurface(backBuffer, 640, 460) == nullptr) return 0;
    if (createSurface(bgLayer, 640, 460) == nullptr) return 0;
    if (createSurface(fieldLayer, 480, 460) == nullptr) return 0;
    if (createSurface(snapshot, 640, 460) == nullptr) return 0;
    return 1;
}

int openSounds() {
    // The clips must be closed at exit while the platform still stands; the platform sets itself
    // up during the run, after these globals were built, and so is torn down before they are.
    // An exit handler registered now runs ahead of that teardown.
    static const int closeAtExit = std::atexit(closeClips);
    (void)closeAtExit;
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
    const BlitRect playArea{0, 0, 460, 480};
    initSprite(presentFieldSprite, 0, backBuffer, &playArea, screen, 1.0f);
}

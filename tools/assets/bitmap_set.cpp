#include "bitmap_set.h"

#include <cstdio>

#include "bmp_writer.h"
#include "checksum.h"
#include "checksum_tuner.h"
#include "sheets.h"

namespace assets {

namespace {

struct BitmapJob {
    const char* name;
    Canvas (*draw)();
    uint32_t multiplier;
    uint32_t expected;
    // Where the tuning may touch bytes: a place where a change of 1 or 2 cannot be seen. The
    // tuner keeps to the covered bytes (the bottom third of the lines) inside it.
    TuneArea tuneArea;
};

const BitmapJob jobs[] = {
    // The outline under the style-1 digits.
    {"128", drawFontSheet, 3, 0x30CDD974, {0, 48, 416, 16}},
    // The crimson rules of the game-over band and its letters.
    {"129", drawTitleSheet, 3, 0xB3FE902F, {8, 128, 480, 128}},
    // The grooves and shading of the plain backdrop tile.
    {"130", drawBackdropSheet, 3, 0x771AF63D, {0, 0, 128, 128}},
    // The paddle's dark rim.
    {"131", drawSpriteSheet, 3, 0x4A23272F, {0, 48, 64, 16}},
    // The bevels of the flashing frames.
    {"132", drawBlockSheet, 3, 0x4ED4F458, {0, 128, 160, 64}},
    // The shirt and neck under the faces.
    {"QUORINFACE", drawFaceSheet, 99, 0xF1C998AA, {0, 130, 512, 70}},
    // The letters of the finished logo.
    {"QUORINLOGO", drawLogoSheet, 99, 0x59D3E647, {0, 178, 480, 178}},
};

} // namespace

bool writeBitmaps(const std::string& folder) {
    for (const BitmapJob& job : jobs) {
        Canvas canvas = job.draw();
        if (!tuneChecksum(canvas, job.multiplier, job.expected, job.tuneArea)) {
            std::fprintf(stderr, "vorblet_assets: cannot tune the checksum of %s\n", job.name);
            return false;
        }
        std::string path = folder + "/" + job.name + ".bmp";
        if (!writeBmp(path, canvas)) {
            std::fprintf(stderr, "vorblet_assets: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace assets

#pragma once
// A 24-bit pixel surface: three bytes per pixel (blue, green, red) in bottom-up rows of exactly
// 3 x width bytes, so pixel (x, y) starts at byte ((height - 1 - y) x width + x) x 3.
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/blit_rect.h"

struct QUORINImage {
    QUORINImage() = default;
    QUORINImage(const QUORINImage&) = delete;
    QUORINImage& operator=(const QUORINImage&) = delete;

    // Set by the first creating call, even one that fails later: a record is made at most once.
    int32_t taken = 0;
    // The rows the software blitter reads and writes. The screen surface's own rows are only a
    // staging area: what it shows lives in the window.
    uint8_t* pixels = nullptr;
    int32_t isScreen = 0;
    BlitRect bounds;
    // The bitmap name it was loaded from (a constant of the program, not copied), so that a
    // failed check can name the file; null for other surfaces.
    const char* name = nullptr;
    // Owns the rows, so a surface destroyed before exit gives its memory back.
    std::unique_ptr<uint8_t[]> storage;
};

// Each creating operation returns the record it filled, or null.
QUORINImage* bindScreen(QUORINImage& surface);
// Forgets that the window was bound, so that nothing more can be made until bindScreen binds
// it again. The game binds once and never unbinds; a test that starts the program afresh does.
void unbindScreen();
QUORINImage* createSurface(QUORINImage& surface, int32_t width, int32_t height);
// Takes the size from the rectangle's height and width; its top and left are ignored.
QUORINImage* createSurface(QUORINImage& surface, const BlitRect& size);
// Reads "BMP" + separator + name + ".bmp" in the game folder; a file that cannot be read shows a
// box, is noted as a game file problem and fails.
QUORINImage* loadBitmap(QUORINImage& surface, const char* name);
// The file loadBitmap reads for a sheet's name, in the game's folder.
std::string bitmapPath(const char* name);
// 1 when the checksum over the first width x height bytes is accepted, else 0; a rejected
// bitmap file is noted as a game file problem.
int verifyBitmap(QUORINImage& surface, uint32_t expected, int32_t multiplier);
// Paints the whole surface in the colour of the low 8 bits of each argument.
void fillSurface(QUORINImage& surface, int32_t red, int32_t green, int32_t blue);

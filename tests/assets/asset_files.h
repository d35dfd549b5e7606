#pragma once
// A reader for the generated bitmaps, written apart from the asset maker so that the tests check
// the files as any other reader would see them (the WAV reader is support/wav_file.h).
#include <cstdint>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/pixels.h"
#include "support/wav_file.h"

namespace assettest {

struct Bitmap {
    std::string error; // empty when the file is a well-formed 24-bit bottom-up bitmap
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // the file's pixel array: bottom-up rows of blue, green, red

    Pixel at(int x, int y) const { // y counted from the top
        size_t o = (static_cast<size_t>(height - 1 - y) * width + x) * 3;
        return {pixels[o], pixels[o + 1], pixels[o + 2]};
    }
    bool isWhite(int x, int y) const { return at(x, y).isWhite(); }
};

inline Bitmap failedBitmap(const char* why) {
    Bitmap bmp;
    bmp.error = why;
    return bmp;
}

inline Bitmap readBitmap(const std::string& path) {
    Bitmap bmp;
    std::vector<uint8_t> file = readBytes(path);
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return failedBitmap("not a BMP file");
    if (le32(file, 2) != file.size()) return failedBitmap("file size field does not match");
    if (le32(file, 14) != 40) return failedBitmap("header is not BITMAPINFOHEADER");
    bmp.width = static_cast<int32_t>(le32(file, 18));
    bmp.height = static_cast<int32_t>(le32(file, 22));
    if (bmp.width <= 0 || bmp.height <= 0) return failedBitmap("not bottom-up");
    if (le16(file, 26) != 1 || le16(file, 28) != 24 || le32(file, 30) != 0)
        return failedBitmap("not 24-bit uncompressed");
    if (bmp.width % 4 != 0) return failedBitmap("width is not a multiple of 4");
    uint32_t offset = le32(file, 10);
    size_t size = static_cast<size_t>(bmp.width) * bmp.height * 3;
    if (offset + size != file.size()) return failedBitmap("pixel array size is wrong");
    bmp.pixels.assign(file.begin() + offset, file.end());
    return bmp;
}

} // namespace assettest

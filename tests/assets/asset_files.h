#pragma once
// Readers for the generated files, written apart from the asset maker so that the tests check
// the files as any other reader would see them.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assettest {

inline std::vector<uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

template <class File> File failed(const char* why) {
    File file;
    file.error = why;
    return file;
}

struct Bitmap {
    std::string error; // empty when the file is a well-formed 24-bit bottom-up bitmap
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // the file's pixel array: bottom-up rows of blue, green, red

    struct Colour {
        int r, g, b;
        bool operator==(const Colour&) const = default;
    };
    Colour at(int x, int y) const { // y counted from the top
        size_t o = (static_cast<size_t>(height - 1 - y) * width + x) * 3;
        return {pixels[o + 2], pixels[o + 1], pixels[o]};
    }
    bool isWhite(int x, int y) const { return at(x, y) == Colour{255, 255, 255}; }
};

inline Bitmap readBitmap(const std::string& path) {
    Bitmap bmp;
    std::vector<uint8_t> file = readAll(path);
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return failed<Bitmap>("not a BMP file");
    if (le32(file, 2) != file.size()) return failed<Bitmap>("file size field does not match");
    if (le32(file, 14) != 40) return failed<Bitmap>("header is not BITMAPINFOHEADER");
    bmp.width = static_cast<int32_t>(le32(file, 18));
    bmp.height = static_cast<int32_t>(le32(file, 22));
    if (bmp.width <= 0 || bmp.height <= 0) return failed<Bitmap>("not bottom-up");
    if (le16(file, 26) != 1 || le16(file, 28) != 24 || le32(file, 30) != 0)
        return failed<Bitmap>("not 24-bit uncompressed");
    if (bmp.width % 4 != 0) return failed<Bitmap>("width is not a multiple of 4");
    uint32_t offset = le32(file, 10);
    size_t size = static_cast<size_t>(bmp.width) * bmp.height * 3;
    if (offset + size != file.size()) return failed<Bitmap>("pixel array size is wrong");
    bmp.pixels.assign(file.begin() + offset, file.end());
    return bmp;
}

struct Wave {
    std::string error; // empty when the file is a well-formed 16-bit mono PCM WAVE file
    uint32_t rate = 0;
    std::vector<int16_t> samples;
    double seconds() const { return samples.size() / double(rate); }
};

inline Wave readWave(const std::string& path) {
    Wave wave;
    std::vector<uint8_t> file = readAll(path);
    if (file.size() < 12 || std::string(file.begin(), file.begin() + 4) != "RIFF" ||
        std::string(file.begin() + 8, file.begin() + 12) != "WAVE")
        return failed<Wave>("not a RIFF WAVE file");
    if (le32(file, 4) + 8 != file.size()) return failed<Wave>("RIFF size does not match");
    bool format = false;
    for (size_t at = 12; at + 8 <= file.size();) {
        std::string id(file.begin() + at, file.begin() + at + 4);
        uint32_t size = le32(file, at + 4);
        if (at + 8 + size > file.size()) return failed<Wave>("chunk runs past the end");
        if (id == "fmt ") {
            if (size < 16 || le16(file, at + 8) != 1 || le16(file, at + 10) != 1 ||
                le16(file, at + 22) != 16)
                return failed<Wave>("not 16-bit mono PCM");
            wave.rate = le32(file, at + 12);
            if (le32(file, at + 16) != wave.rate * 2 || le16(file, at + 20) != 2)
                return failed<Wave>("byte rate or block size is wrong");
            format = true;
        } else if (id == "data") {
            if (!format) return failed<Wave>("data before fmt");
            for (size_t i = 0; i + 1 < size; i += 2)
                wave.samples.push_back(static_cast<int16_t>(le16(file, at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    if (!format) return failed<Wave>("no fmt chunk");
    return wave;
}

} // namespace assettest

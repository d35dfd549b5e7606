#include "gfx/image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "gfx/bmp_decode.h"
#include "platform/platform.h"
#include "platform/system/game_files.h"
#include "platform/system/regular_file.h"

namespace {

// 1 once bindScreen has bound the window; surfaces can be made only after that.
int32_t screenBound = 0;

// Artwork is small; a file beyond this is not one of ours and is not read into memory.
constexpr long kMaxFileSize = 1L << 28;

bool allocateRows(QUORINImage& surface, int32_t width, int32_t height) {
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
    surface.storage.reset(new (std::nothrow) uint8_t[size]());
    surface.pixels = surface.storage.get();
    return surface.pixels != nullptr;
}

// What was wrong with the file that could not be read, in words for the start-up report.
std::string readFailure(int error) {
    if (error == ENOENT) return "is missing";
    if (error == platform::kNotARegularFile) return "is not a regular file";
    return std::string("cannot be read (") + std::strerror(error) + ")";
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& failure) {
    // A FIFO or a device in place of a sheet would hold start-up until someone wrote to it.
    std::FILE* file = platform::openRegularFile(path.c_str());
    if (file == nullptr) {
        failure = readFailure(errno);
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxFileSize && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!ok) failure = "cannot be read";
    return ok;
}

// The image of the file, or false when the file is missing, unreadable or not a bitmap we take;
// failure then says which.
bool decodeFile(QUORINImage& surface, const std::string& path, std::string& failure) {
    std::vector<uint8_t> bytes;
    int32_t width = 0, height = 0;
    if (!readFile(path, bytes, failure)) return false;
    failure = "is not a bitmap the game can read";
    if (readBmpSize(bytes.data(), bytes.size(), width, height) != 1) return false;
    std::unique_ptr<uint8_t[]> rows(new (std::nothrow)
                                        uint8_t[static_cast<size_t>(width) * height * 3]);
    if (rows == nullptr || decodeBmp(bytes.data(), bytes.size(), rows.get(),
                                     static_cast<size_t>(width) * height * 3) != 1)
        return false;
    surface.bounds = {0, 0, static_cast<int16_t>(height), static_cast<int16_t>(width)};
    surface.storage = std::move(rows);
    surface.pixels = surface.storage.get();
    return true;
}

} // namespace

QUORINImage* bindScreen(QUORINImage& surface) {
    if (surface.taken != 0) return nullptr;
    surface.taken = 1;
    screenBound = 1;
    surface.bounds = {0, 0, platform::kWindowHeight, platform::kWindowWidth};
    if (!allocateRows(surface, platform::kWindowWidth, platform::kWindowHeight)) return nullptr;
    surface.isScreen = 1;
    return &surface;
}

void unbindScreen() {
    screenBound = 0;
}

QUORINImage* createSurface(QUORINImage& surface, const BlitRect& size) {
    if (screenBound == 0 || surface.taken != 0) return nullptr;
    surface.taken = 1;
    surface.bounds = {0, 0, size.height, size.width};
    if (size.width <= 0 || size.height <= 0 || !allocateRows(surface, size.width, size.height))
        return nullptr;
    return &surface;
}

QUORINImage* createSurface(QUORINImage& surface, int32_t width, int32_t height) {
    const BlitRect size{0, 0, static_cast<int16_t>(height), static_cast<int16_t>(width)};
    return createSurface(surface, size);
}

std::string bitmapPath(const char* name) {
    return platform::gameFilePath(std::string("BMP" PLATFORM_SEPARATOR) + name + ".bmp");
}

QUORINImage* loadBitmap(QUORINImage& surface, const char* name) {
    if (screenBound == 0 || surface.taken != 0) return nullptr;
    surface.taken = 1;
    surface.name = name;
    // The box names the file as the game knows it; the report names where it was looked for.
    const std::string relative = std::string("BMP" PLATFORM_SEPARATOR) + name + ".bmp";
    const std::string path = bitmapPath(name);
    std::string failure;
    if (!decodeFile(surface, path, failure)) {
        const std::string text = relative + "\n の読込みに失敗しました。";
        platform::showMessageBox("Error", text.c_str());
        platform::noteGameFileProblem(path, failure);
        return nullptr;
    }
    return &surface;
}

int verifyBitmap(QUORINImage& surface, uint32_t expected, int32_t multiplier) {
    if (multiplier == 0) return 1;
    const size_t covered =
        static_cast<size_t>(surface.bounds.width > 0 ? surface.bounds.width : 0) *
        static_cast<size_t>(surface.bounds.height > 0 ? surface.bounds.height : 0);
    uint32_t sum = 0;
    for (size_t i = 0; i < covered && surface.pixels != nullptr; ++i)
        sum = sum * static_cast<uint32_t>(multiplier) + surface.pixels[i];
    if (expected == 1) {
        char text[16];
        std::snprintf(text, sizeof text, "%u", sum);
        platform::showMessageBox("ChkSum", text);
        return 1;
    }
    if (sum != expected) {
        platform::showMessageBox("Error", "BMPが不正です。");
        const std::string relative =
            std::string("BMP" PLATFORM_SEPARATOR) + (surface.name ? surface.name : "?") + ".bmp";
        platform::noteGameFileProblem(platform::gameFilePath(relative),
                                      "is altered (its checksum is " + std::to_string(sum) +
                                          ", not " + std::to_string(expected) + ")");
        return 0;
    }
    return 1;
}

void fillSurface(QUORINImage& surface, int32_t red, int32_t green, int32_t blue) {
    if (surface.pixels == nullptr) return;
    const int32_t width = surface.bounds.width, height = surface.bounds.height;
    const uint8_t colour[3] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                               static_cast<uint8_t>(red)};
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int32_t x = 0; x < width; ++x)
        std::memcpy(surface.pixels + x * 3, colour, 3);
    for (int32_t row = 1; row < height; ++row)
        std::memcpy(surface.pixels + row * rowBytes, surface.pixels, rowBytes);
    if (surface.isScreen != 0)
        platform::writeWindow(0, 0, width, height, surface.pixels + (height - 1) * rowBytes,
                              -static_cast<ptrdiff_t>(rowBytes));
}

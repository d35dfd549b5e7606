#include "png_writer.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace assets {

namespace {

// libpng reports errors by a long jump; everything the jump may skip lives in writePng's caller
// frame or is released there, so no destructor is bypassed.
bool writeRows(std::FILE* file, int width, int height, std::vector<png_bytep>& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool writePng(const std::string& path, const Canvas& canvas, bool keyed) {
    const int width = canvas.width, height = canvas.height;
    std::vector<png_byte> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        png_bytep row = rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
        rows[static_cast<size_t>(y)] = row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = canvas.get(x, y);
            const bool clear = keyed && c == keyWhite;
            row[x * 4] = clear ? 0 : c.r;
            row[x * 4 + 1] = clear ? 0 : c.g;
            row[x * 4 + 2] = clear ? 0 : c.b;
            row[x * 4 + 3] = clear ? 0 : 255;
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = writeRows(file, width, height, rows);
    return std::fclose(file) == 0 && written;
}

} // namespace assets

// The desktop icons and the PNG pictures the asset maker writes, read back through libpng.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <png.h>
#include <string>
#include <vector>

#include "assets/icon.h"
#include "assets/icon_set.h"
#include "support/bmp_image.h"
#include "support/game_run.h"

namespace fs = std::filesystem;

namespace {

struct Rgba {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels; // top line first, red, green, blue, alpha
    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * 4]; }
};

Rgba readPng(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Rgba read;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return read;
    image.format = PNG_FORMAT_RGBA;
    read.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, read.pixels.data(), 0, nullptr)) return {};
    read.width = int(image.width);
    read.height = int(image.height);
    return read;
}

// Every size of the build's icons is the drawing at that size, transparent outside its rounded
// square and opaque inside.
TEST(Icons, EverySizeIsDrawnAtItsSizeWithATransparentCorner) {
    for (int size : assets::kIconSizes) {
        const std::string side = std::to_string(size);
        const Rgba icon = readPng(fs::path(VORBLET_BINARY_DIR) / "icons/hicolor" /
                                  (side + "x" + side) / "apps/vorblet.png");
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        const assets::Canvas drawn = assets::drawIcon(size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const assets::Rgb c = drawn.get(x, y);
                const uint8_t* p = icon.at(x, y);
                if (c == assets::keyWhite) {
                    ASSERT_EQ(p[3], 0) << size << " at " << x << "," << y;
                } else {
                    ASSERT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}),
                              (std::vector<int>{c.r, c.g, c.b, 255}))
                        << size << " at " << x << "," << y;
                }
            }
        EXPECT_EQ(icon.at(0, 0)[3], 0) << size;
        EXPECT_EQ(icon.at(size / 2, size / 2)[3], 255) << size;
    }
}

TEST(Icons, APictureOfTheGameBecomesAnOpaquePngOfTheSamePixels) {
    const fs::path folder = makeGameFolder("png", false);
    const fs::path bitmap = fs::path(VORBLET_GAME_DIR) / "BMP" / "131.bmp";
    const std::string command = std::string(VORBLET_ASSETS_BINARY) + " --png " + bitmap.string() +
                                " " + (folder / "131.png").string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    const BmpImage expected = readBmpImage(bitmap);
    const Rgba png = readPng(folder / "131.png");
    ASSERT_EQ(png.width, expected.width);
    ASSERT_EQ(png.height, expected.height);
    for (int y = 0; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x) {
            const uint8_t *p = png.at(x, y), *b = expected.at(x, y);
            ASSERT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}),
                      (std::vector<int>{b[2], b[1], b[0], 255}))
                << x << "," << y;
        }
}

} // namespace

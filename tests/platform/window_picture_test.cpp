// The window picture both backends keep: blocks copied in and out are clipped to the window,
// bottom-up blocks (a negative line step) land the right way up, and a shot of the picture reads
// back as the same pixels.
#include "platform/bmp_file.h"
#include "platform/window_picture.h"
#include "support/bmp_image.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using platform::kPictureBytes;
using platform::kWindowHeight;
using platform::kWindowWidth;

const uint8_t* pixelOf(const std::vector<uint8_t>& picture, int x, int y) {
    return &picture[(size_t(y) * kWindowWidth + x) * 3];
}

// A block of width × height pixels stored bottom-up, each pixel (x, y, 7) in its block's own
// top-down coordinates; returns the block and the address of its top line.
std::vector<uint8_t> bottomUpBlock(int width, int height, const uint8_t*& topLine) {
    std::vector<uint8_t> rows(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rows[(size_t(height - 1 - y) * width + x) * 3];
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = 7;
        }
    topLine = &rows[size_t(height - 1) * width * 3];
    return rows;
}

TEST(WindowPicture, BottomUpBlocksAreClippedToTheWindow) {
    struct Case {
        int left, top, width, height;
    };
    const Case cases[] = {
        {10, 20, 5, 4},   // inside
        {-3, -2, 6, 5},   // over the top-left corner
        {636, 457, 8, 6}, // over the bottom-right corner
        {-10, 100, 5, 5}, // wholly left of the window
        {100, 460, 5, 5}, // wholly below
        {0, 0, 640, 460}, // the whole window
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> picture(kPictureBytes, 255);
        const uint8_t* topLine = nullptr;
        std::vector<uint8_t> block = bottomUpBlock(c.width, c.height, topLine);
        const ptrdiff_t step = -ptrdiff_t(c.width) * 3;
        platform::copyIntoPicture(picture, c.left, c.top, c.width, c.height, topLine, step);
        for (int y = 0; y < kWindowHeight; ++y)
            for (int x = 0; x < kWindowWidth; ++x) {
                const int bx = x - c.left, by = y - c.top;
                const bool inside = bx >= 0 && bx < c.width && by >= 0 && by < c.height;
                const uint8_t* p = pixelOf(picture, x, y);
                const uint8_t want[3] = {inside ? uint8_t(bx) : uint8_t(255),
                                         inside ? uint8_t(by) : uint8_t(255),
                                         inside ? uint8_t(7) : uint8_t(255)};
                ASSERT_TRUE(p[0] == want[0] && p[1] == want[1] && p[2] == want[2])
                    << "pixel " << x << "," << y << " of block at " << c.left << "," << c.top;
            }

        // Reading the same block back gives what went in wherever it was inside the window and
        // leaves the rest of the buffer alone.
        std::vector<uint8_t> back(block.size(), 0);
        uint8_t* backTop = &back[size_t(c.height - 1) * c.width * 3];
        platform::copyOutOfPicture(picture, c.left, c.top, c.width, c.height, backTop, step);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const bool visible = c.left + x >= 0 && c.left + x < kWindowWidth &&
                                     c.top + y >= 0 && c.top + y < kWindowHeight;
                const uint8_t* got = backTop + ptrdiff_t(y) * step + x * 3;
                EXPECT_EQ(got[0], visible ? uint8_t(x) : 0) << x << "," << y;
            }
    }
}

TEST(WindowPicture, AShotReadsBackAsTheSamePixels) {
    std::vector<uint8_t> picture(kPictureBytes);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = uint8_t(i * 31 + i / 1920);
    const std::filesystem::path file = makeGameFolder("shot", false) / "shot.bmp";
    ASSERT_TRUE(platform::writeBmp24(file.c_str(), picture.data(), kWindowWidth, kWindowHeight));
    BmpImage image = readBmpImage(file);
    EXPECT_EQ(image.width, kWindowWidth);
    EXPECT_EQ(image.height, kWindowHeight);
    EXPECT_TRUE(image.pixels == picture) << "the shot does not read back as the picture";
    EXPECT_FALSE(platform::writeBmp24((file.parent_path() / "no" / "such.bmp").c_str(),
                                      picture.data(), kWindowWidth, kWindowHeight));
}

} // namespace

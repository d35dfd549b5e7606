// Every input the decoder's fuzzing keeps goes through the decoder again here, under the
// sanitizers, so a fault once found stays found.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "gfx/bmp_decode.h"
#include "gfx/bmp_file.h"

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryInputIsDecodedOrRefusedWithinItsBytes) {
    int files = 0, decoded = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(VORBLET_SOURCE_DIR) / "fuzz" / "corpus")) {
        const auto bytes = readBytes(entry.path().string());
        // An allocation of exactly the file's size, so a read past its end is caught.
        std::unique_ptr<uint8_t[]> file(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
        if (!bytes.empty()) std::memcpy(file.get(), bytes.data(), bytes.size());
        ++files;
        int32_t width = 0, height = 0;
        if (readBmpSize(file.get(), bytes.size(), width, height) != 1) continue;
        ASSERT_GT(width, 0) << entry.path();
        ASSERT_GT(height, 0) << entry.path();
        ASSERT_EQ(width % 4, 0) << entry.path();
        const size_t size = static_cast<size_t>(width) * height * 3;
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[size]);
        decoded += decodeBmp(file.get(), bytes.size(), pixels.get(), size);
        EXPECT_EQ(decodeBmp(file.get(), bytes.size(), pixels.get(), size - 1), 0) << entry.path();
    }
    EXPECT_GE(files, 20);
    EXPECT_GE(decoded, 20);
}

// Every input the recording reader's fuzzing keeps goes through the reader again here, under
// the sanitizers, so a fault once found stays found.
#include "platform/record/answers.h"
#include "platform/record/reader.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using namespace platform::record;

TEST(ReplayFuzzCorpus, EveryInputIsReadOrRefusedWithinItsBytes) {
    int files = 0, accepted = 0;
    for (const auto& item :
         fs::directory_iterator(fs::path(VORBLET_SOURCE_DIR) / "fuzz" / "replay_corpus")) {
        const std::vector<uint8_t> bytes = readBytes(item.path());
        // An allocation of exactly the file's size, so a read past its end is caught.
        std::unique_ptr<uint8_t[]> file(new uint8_t[bytes.size() + (bytes.empty() ? 1 : 0)]);
        if (!bytes.empty()) std::memcpy(file.get(), bytes.data(), bytes.size());
        ++files;
        Recording recording;
        std::string error;
        if (parseRecording(file.get(), bytes.size(), recording, error) == 1) {
            ++accepted;
            EXPECT_TRUE(walkRecording(recording)) << item.path();
        } else {
            EXPECT_FALSE(error.empty()) << item.path();
        }
        Recording raw;
        raw.entries = bytes;
        walkRecording(raw);
    }
    EXPECT_GE(files, 5);
    EXPECT_GE(accepted, 2);
}

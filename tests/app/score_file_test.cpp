#include "app/score_file.h"

#include "support/files.h"
#include "support/game_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const int32_t kDefaults[6] = {30, 30, 30, 0, 30, 30};

std::string bytesOf(const fs::path& path) {
    return readFile(path);
}

class ScoreFileTest : public testing::Test {
  protected:
    void SetUp() override {
        folder = makeGameFolder("scores", false);
        file = folder / "Vorblet.dat";
    }
    fs::path folder, file;
};

TEST_F(ScoreFileTest, DefaultsMakeA24ByteFileThatReadsBack) {
    ASSERT_EQ(writeDataFile(file.c_str(), kDefaults, 24), 1);
    EXPECT_EQ(fs::file_size(file), 24u);
    int32_t table[6] = {};
    EXPECT_EQ(readDataFile(file.c_str(), table, 24), 1);
    EXPECT_EQ(std::memcmp(table, kDefaults, 24), 0);
}

TEST_F(ScoreFileTest, LineFeedBytesAreStoredAsPairsAndOtherBytesAsTheyAre) {
    struct Case {
        int32_t score;
        size_t length;
    } cases[] = {{10, 25}, {13, 24}, {26, 24}, {0x0A0A, 26}, {0x0D0A, 25}};
    for (const Case& c : cases) {
        int32_t table[6] = {30, 30, 30, 0, c.score, 30};
        ASSERT_EQ(writeDataFile(file.c_str(), table, 24), 1);
        EXPECT_EQ(fs::file_size(file), c.length) << c.score;
        int32_t back[6] = {};
        EXPECT_EQ(readDataFile(file.c_str(), back, 24), 1);
        EXPECT_EQ(back[4], c.score);
        EXPECT_EQ(std::memcmp(back, table, 24), 0);
    }
    int32_t ten[6] = {10, 30, 30, 0, 30, 30};
    ASSERT_EQ(writeDataFile(file.c_str(), ten, 24), 1);
    EXPECT_EQ(bytesOf(file).substr(0, 5), std::string("\x0D\x0A\0\0\0", 5));
}

TEST_F(ScoreFileTest, MissingFileLeavesMemoryAlone) {
    int32_t table[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(readDataFile((folder / "absent.dat").c_str(), table, 24), 0);
    EXPECT_EQ(table[0], 1);
    EXPECT_EQ(table[5], 6);
}

TEST_F(ScoreFileTest, ShortFileFillsOnlyTheLeadingEntries) {
    writeFile(file, std::string("\x07\0\0\0\x08\0\0\0\x09\0\0\0", 12));
    int32_t table[6] = {30, 30, 30, 0, 30, 30};
    EXPECT_EQ(readDataFile(file.c_str(), table, 24), 0);
    const int32_t expected[6] = {7, 8, 9, 0, 30, 30};
    EXPECT_EQ(std::memcmp(table, expected, 24), 0);
}

TEST_F(ScoreFileTest, LongerFileUsesTheFirst24DataBytes) {
    std::string bytes(24, '\x01');
    bytes[0] = '\x0D'; // a lone 0x0D is a data byte
    bytes += "trailing junk\r\n";
    writeFile(file, bytes);
    uint8_t table[24] = {};
    EXPECT_EQ(readDataFile(file.c_str(), table, 24), 1);
    EXPECT_EQ(table[0], 0x0D);
    EXPECT_EQ(table[23], 0x01);
}

// Reads on a helper thread, so that a reader stuck on a FIFO fails the test instead of hanging
// it: opening the other end lets such a reader return.
int readWithoutWaiting(const fs::path& path, void* table) {
    auto reading =
        std::async(std::launch::async, [&] { return readDataFile(path.c_str(), table, 24); });
    if (reading.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << path << " held the reader";
        int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    return reading.get();
}

TEST_F(ScoreFileTest, OnlyARegularFileIsRead) {
    const std::string scores("\x07\0\0\0\x08\0\0\0\x09\0\0\0\x07\0\0\0\x08\0\0\0\x09\0\0\0", 24);
    writeFile(folder / "real.dat", scores);
    fs::create_directories(folder / "target");
    struct Case {
        const char* kind;
        std::function<void(const fs::path&)> make;
        int result;
    } cases[] = {
        {"missing", [](const fs::path&) {}, 0},
        {"folder", [](const fs::path& path) { fs::create_directories(path); }, 0},
        {"FIFO with no writer",
         [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, 0},
        {"link to a device", [](const fs::path& path) { fs::create_symlink("/dev/zero", path); },
         0},
        {"dangling link", [](const fs::path& path) { fs::create_symlink("target/none.dat", path); },
         0},
        {"link to a file", [](const fs::path& path) { fs::create_symlink("real.dat", path); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        fs::remove_all(file);
        c.make(file);
        uint8_t table[24];
        std::memset(table, 0x55, sizeof table);
        EXPECT_EQ(readWithoutWaiting(file, table), c.result);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(table), 24),
                  c.result == 1 ? scores : std::string(24, '\x55'));
    }
}

} // namespace

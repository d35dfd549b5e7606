#include "app/score_file.h"

#include "support/game_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const int32_t kDefaults[6] = {30, 30, 30, 0, 30, 30};

std::string bytesOf(const fs::path& path) {
    return readFile(path);
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
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
    writeBytes(file, std::string("\x07\0\0\0\x08\0\0\0\x09\0\0\0", 12));
    int32_t table[6] = {30, 30, 30, 0, 30, 30};
    EXPECT_EQ(readDataFile(file.c_str(), table, 24), 0);
    const int32_t expected[6] = {7, 8, 9, 0, 30, 30};
    EXPECT_EQ(std::memcmp(table, expected, 24), 0);
}

TEST_F(ScoreFileTest, LongerFileUsesTheFirst24DataBytes) {
    std::string bytes(24, '\x01');
    bytes[0] = '\x0D'; // a lone 0x0D is a data byte
    bytes += "trailing junk\r\n";
    writeBytes(file, bytes);
    uint8_t table[24] = {};
    EXPECT_EQ(readDataFile(file.c_str(), table, 24), 1);
    EXPECT_EQ(table[0], 0x0D);
    EXPECT_EQ(table[23], 0x01);
}

TEST_F(ScoreFileTest, ReadOnlyFileOrFolderKeepsTheOldScores) {
    writeBytes(file, std::string(24, '\x05'));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    int32_t table[6] = {99, 99, 99, 99, 99, 99};
    EXPECT_EQ(writeDataFile(file.c_str(), table, 24), 0);
    EXPECT_EQ(bytesOf(file), std::string(24, '\x05'));
    fs::permissions(file, fs::perms::owner_all);

    // A folder that cannot be written to: nothing can be created beside the file (root may
    // write anyway, and then the write must succeed whole).
    fs::path locked = folder / "locked";
    fs::create_directories(locked);
    writeBytes(locked / "Vorblet.dat", std::string(24, '\x06'));
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    int result = writeDataFile((locked / "Vorblet.dat").c_str(), table, 24);
    fs::permissions(locked, fs::perms::owner_all);
    if (geteuid() != 0) {
        EXPECT_EQ(result, 0);
    }
    if (result == 0) {
        EXPECT_EQ(bytesOf(locked / "Vorblet.dat"), std::string(24, '\x06'));
    }
    EXPECT_FALSE(fs::exists(locked / "Vorblet.dat.new"));
}

TEST_F(ScoreFileTest, AFailedWriteLeavesTheOldFileWhole) {
    writeBytes(file, std::string(24, '\x04'));
    // A folder in the way of the temporary file makes the write fail part-way.
    fs::create_directories(folder / "Vorblet.dat.new");
    int32_t table[6] = {99, 99, 99, 99, 99, 99};
    EXPECT_EQ(writeDataFile(file.c_str(), table, 24), 0);
    EXPECT_EQ(bytesOf(file), std::string(24, '\x04'));
}

} // namespace

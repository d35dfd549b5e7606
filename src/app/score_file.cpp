#include "app/score_file.h"

#include "platform/platform.h"
#include "platform/system/file_lock.h"
#include "platform/test_hooks.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

// readDataFile, also telling how many data bytes arrived.
int readData(const char* name, void* destination, int count, int& got) {
    got = 0;
    // Only a regular file is read: a FIFO or device in its place is refused like a missing file
    // instead of holding the game until someone writes to it.
    std::FILE* file = platform::openDataFile(name);
    if (file == nullptr) return 0;
    auto* out = static_cast<uint8_t*>(destination);
    int c = std::fgetc(file);
    while (got < count && c != EOF) {
        int next = std::fgetc(file);
        if (c == 0x0D && next == 0x0A) {
            // The pair stands for one 0x0A data byte.
            c = 0x0A;
            next = std::fgetc(file);
        }
        out[got++] = uint8_t(c); // bytes land as they are read: a short file fills the front only
        c = next;
    }
    int result = got < count || std::ferror(file) ? 0 : 1;
    if (std::fclose(file) != 0) result = 0;
    return result;
}

} // namespace

int readDataFile(const char* name, void* destination, int count) {
    int got = 0;
    return readData(name, destination, count, got);
}

int writeDataFile(const char* name, const void* source, int count) {
    std::vector<uint8_t> bytes;
    const auto* in = static_cast<const uint8_t*>(source);
    for (int i = 0; i < count; ++i) {
        if (in[i] == 0x0A) bytes.push_back(0x0D);
        bytes.push_back(in[i]);
    }
    return platform::replaceDataFile(name, bytes.data(), bytes.size());
}

int saveScoreTable(const char* name, const int32_t (&table)[6]) {
    // Another copy saving between our read and our replace would have its scores undone.
    FileLock lock = lockFile(name);
    int32_t merged[6];
    int32_t saved[6];
    std::copy(std::begin(table), std::end(table), merged);
    int got = 0;
    readData(name, saved, int(sizeof saved), got);
    // Only whole entries of a short file take part.
    for (size_t i = 0; i < size_t(got) / sizeof saved[0]; ++i)
        merged[i] = std::max(merged[i], saved[i]);
    // A test holds the save here, until the file its argument names appears (a minute at
    // most), while another copy saves.
    if (platform::testHookArmed("hold-save")) {
        platform::testHookReached("hold-save");
        const std::filesystem::path release = platform::testHookArgument("hold-save");
        std::error_code error;
        for (int wait = 0; wait < 6000 && !std::filesystem::exists(release, error); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    errno = 0;
    const int result = writeDataFile(name, merged, int(sizeof merged));
    unlockFile(lock);
    return result;
}

#pragma once
// Headless sound tests: WAV files of known lengths in a scratch folder, a fresh headless
// backend, and the sticky error cleared before and after each test.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound/sound_clip.h"
#include "support/headless_probe.h"

namespace soundtest {

inline void writeSilentWav(const std::filesystem::path& path, uint32_t ms) {
    const uint32_t rate = 22050, bytes = rate * ms / 1000 * 2;
    std::vector<uint8_t> b;
    auto put = [&](uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    for (char c : std::string("RIFF"))
        b.push_back(static_cast<uint8_t>(c));
    put(36 + bytes, 4);
    for (char c : std::string("WAVEfmt "))
        b.push_back(static_cast<uint8_t>(c));
    put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
    for (char c : std::string("data"))
        b.push_back(static_cast<uint8_t>(c));
    put(bytes, 4);
    b.resize(b.size() + bytes, 0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

class SoundTest : public testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / ("vorblet-sound-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "wav");
        // 128 and 129 last 100 ms, 130 lasts 250 ms; 131 is missing.
        writeSilentWav(folder / "wav/128.wav", 100);
        writeSilentWav(folder / "wav/129.wav", 100);
        writeSilentWav(folder / "wav/130.wav", 250);
        for (int n : {128, 129, 130, 131})
            paths.push_back((folder / "wav").string() + "/" + std::to_string(n) + ".wav");
        platform::probe::resetHeadless();
        soundError = 0;
    }
    void TearDown() override {
        // Clips are closed by their destructors inside the test; with the error cleared they
        // really are closed before the next test starts afresh.
        soundError = 0;
        std::filesystem::remove_all(folder);
    }
    const char* path(int index) const { return paths[static_cast<size_t>(index)].c_str(); }

    std::filesystem::path folder;
    std::vector<std::string> paths;
};

} // namespace soundtest

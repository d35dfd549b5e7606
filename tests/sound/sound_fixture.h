#pragma once
// Headless sound tests: WAV files of known lengths in a scratch folder, a fresh headless
// backend, and the sticky error cleared before and after each test.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sound/sound_clip.h"
#include "support/headless_probe.h"
#include "support/wav_file.h"

namespace soundtest {

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
        clearSoundError();
    }
    void TearDown() override {
        // Clips are closed by their destructors inside the test; with the error cleared they
        // really are closed before the next test starts afresh.
        clearSoundError();
        std::filesystem::remove_all(folder);
    }
    const char* path(int index) const { return paths[static_cast<size_t>(index)].c_str(); }

    std::filesystem::path folder;
    std::vector<std::string> paths;
};

} // namespace soundtest

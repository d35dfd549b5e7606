#pragma once
// The four effect clips opened on short silent WAV files in a scratch folder, so that a test can
// read from the headless sound trace which effects the game started. Open them after the
// headless backend was reset; close them before the test ends so the next test starts afresh.
#include "objects/inventory.h"
#include "sound/sound_clip.h"
#include "support/headless_probe.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace effects {

inline void writeSilentWav(const std::filesystem::path& path, uint32_t ms) {
    const uint32_t rate = 22050;
    const uint32_t bytes = rate * ms / 1000 * 2;
    std::vector<uint8_t> b;
    auto text = [&](const char* s) {
        for (; *s != '\0'; ++s)
            b.push_back(static_cast<uint8_t>(*s));
    };
    auto put = [&](uint32_t v, int size) {
        for (int i = 0; i < size; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    text("RIFF");
    put(36 + bytes, 4);
    text("WAVEfmt ");
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    text("data");
    put(bytes, 4);
    b.resize(b.size() + bytes, 0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

struct Effect {
    QUORINSound& clip;
    int number;
};

inline std::vector<Effect> allEffects() {
    return {{clip140, 140}, {clip141, 141}, {clip142, 142}, {clip143, 143}};
}

// The clips keep pointing at their path, so the paths live as long as the process.
inline const std::string& pathOf(int number) {
    static std::string paths[4];
    std::string& path = paths[number - 140];
    if (path.empty()) {
        const auto folder =
            std::filesystem::temp_directory_path() / ("vorblet-game-" + std::to_string(getpid()));
        path = (folder / (std::to_string(number) + ".wav")).string();
    }
    return path;
}

inline void openEffects() {
    soundError = 0;
    std::filesystem::create_directories(std::filesystem::path(pathOf(140)).parent_path());
    for (const Effect& e : allEffects()) {
        writeSilentWav(pathOf(e.number), 200);
        ASSERT_EQ(e.clip.open(pathOf(e.number).c_str()), 0);
    }
    for (QUORINSoundChannel* slot : {&spawnSlot, &paddleSlot, &blockSlot, &descentSlot}) {
        slot->clip = nullptr;
    }
    platform::probe::takeSoundEvents();
}

inline void closeEffects() {
    soundError = 0;
    for (const Effect& e : allEffects()) {
        if (e.clip.deviceId != 0) e.clip.close();
    }
    for (QUORINSoundChannel* slot : {&spawnSlot, &paddleSlot, &blockSlot, &descentSlot}) {
        slot->clip = nullptr;
    }
    std::filesystem::remove_all(std::filesystem::path(pathOf(140)).parent_path());
}

} // namespace effects

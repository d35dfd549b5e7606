#pragma once
// The four effect clips opened on short silent WAV files in a scratch folder, so that a test can
// read from the headless sound trace which effects the game started. Open them after the
// headless backend was reset; close them before the test ends so the next test starts afresh.
#include "objects/inventory.h"
#include "sound/sound_clip.h"
#include "support/headless_probe.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace effects {

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
    clearSoundError();
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
    clearSoundError();
    for (const Effect& e : allEffects()) {
        if (e.clip.deviceId != 0) e.clip.close();
    }
    for (QUORINSoundChannel* slot : {&spawnSlot, &paddleSlot, &blockSlot, &descentSlot}) {
        slot->clip = nullptr;
    }
    std::filesystem::remove_all(std::filesystem::path(pathOf(140)).parent_path());
}

} // namespace effects

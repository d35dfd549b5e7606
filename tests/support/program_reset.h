#pragma once
// Starts the program afresh inside one test process. The game makes its surfaces and opens its
// clips once per process and keeps its flags and round values for the whole run; a test that uses
// them begins with resetProgram, so that no test sees a sheet of another size, a busy slot, a kept
// sound error, a stale score or a quit request that an earlier test left behind.
#include "game/paddle.h"
#include "game/random.h"
#include "game/round_values.h"
#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "input/frame_pacer.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/system/game_files.h"
#include "sound/sound_channel.h"
#include "sound/sound_clip.h"
#include "support/headless_probe.h"

#include <algorithm>
#include <iterator>
#include <memory>

inline void renew(QUORINImage& surface) {
    std::destroy_at(&surface);
    std::construct_at(&surface);
}

// Every surface of the inventory and the screen unmade, and the screen unbound.
inline void renewSurfaces() {
    for (QUORINImage& surface : surfaceTable)
        renew(surface);
    renew(snapshot);
    renew(screen);
    unbindScreen();
}

// Off-screen surfaces can be made only once a window is bound. Tests that want surfaces and no
// window of the game's bind a window record of their own, leaving the game's screen untouched.
inline bool bindTestWindow() {
    static QUORINImage window;
    renew(window);
    return bindScreen(window) == &window;
}

inline QUORINSound* const allClips[] = {&clip128, &clip129, &clip130, &clip131, &clip132,
                                        &clip140, &clip141, &clip142, &clip143};
inline QUORINSoundChannel* const allSlots[] = {&musicSlot, &spawnSlot, &paddleSlot, &blockSlot,
                                               &descentSlot};

// Every clip of the inventory closed, every slot idle, no kept error and sound enabled. A clip
// that the headless backend no longer knows (it was reset since) counts as closed too.
inline void closeSound() {
    for (QUORINSound* clip : allClips) {
        clearSoundError();
        if (clip->deviceId != 0) clip->close();
        clip->deviceId = 0;
    }
    clearSoundError();
    for (QUORINSoundChannel* slot : allSlots)
        slot->clip = nullptr;
    soundDisabled = 0;
}

// The whole program as a fresh process finds it: a fresh headless backend (clock 0, no keys,
// with or without a sound device), nothing made, nothing open, the default high scores, no quit
// request, the mouse in control (as the title screen finds it), the generator at its seed and the
// frame timer at 0, the game's files read from the current folder with no problem noted.
inline void resetProgram(bool noSound = false) {
    closeSound();
    platform::setGameFolder("");
    platform::clearGameFileProblems();
    platform::probe::resetHeadless(noSound);
    renewSurfaces();
    constexpr int32_t kDefaultScores[6] = {30, 30, 30, 0, 30, 30};
    std::copy(std::begin(kDefaultScores), std::end(kDefaultScores), ScoreTable);
    quitRequested.store(0);
    mouseControl = 1;
    resetRoundValues();
    resetRandom();
    startFrameTimer();
}

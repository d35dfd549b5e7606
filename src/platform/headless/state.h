#pragma once
// The headless backend's model of the machine: a virtual clock, the controls as the script set
// them, the window picture, and the trace. Shared by the backend's files and the test probe.
#include "platform/controls.h"
#include "platform/headless/script.h"
#include "platform/platform.h"
#include "platform/timed_clips.h"
#include "platform/window_picture.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace platform::headless {

struct Shot {
    uint32_t ms;
    std::string path;
};

struct State {
    bool realClock = false; // the benchmark: real time, no picture, no sound device
    bool probe = false;     // driven by a test in-process instead of a script
    uint32_t clock = 0;
    std::vector<ScriptEvent> events;
    size_t nextEvent = 0;
    std::vector<Shot> shots; // kept in order of time
    size_t nextShot = 0;

    bool held[kInputCount] = {};
    bool joystickPresent = false;
    uint32_t joystickX = 32768;
    int32_t cursorX = 320;

    std::vector<uint8_t> picture = blankPicture();
    uint64_t presents = 0;
    FILE* trace = nullptr;
    std::vector<std::string> boxes, soundEvents; // for the probe

    // A pause, made with P (until P) or by the loss of the focus (until it comes back), holds the
    // game's time while the script's goes on; pausedMs is the script time spent paused so far.
    bool pausedByKey = false, focusLost = false;
    uint32_t pausedMs = 0;

    bool noSound = false;
    TimedClips clips;

    // Destroy requests travel from the game thread to the main thread, as window messages would.
    std::mutex lock;
    std::condition_variable changed;
    uint64_t requested = 0, acknowledged = 0, handled = 0;
    bool destroyPending = false, quit = false, closeSeen = false;
};

State& state();
// True while the game is paused; a closed window holds nobody.
bool paused();
// The game's own time: the script's clock less the pauses.
uint32_t gameTime();
// Carries out one script event as it takes effect.
void applyEvent(const ScriptEvent& event);
// Delivers the script events and shots due at or before time, in order, then sets the clock.
void advanceTo(uint32_t time);

} // namespace platform::headless

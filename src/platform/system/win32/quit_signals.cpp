#include "platform/system/quit_signals.h"

#include <atomic>
#include <cstdio>

#include "platform/system/win32/win32.h"

namespace platform {

namespace {

std::atomic<int> signals{0};
unsigned grace = 5;

// Ctrl+C, Ctrl+Break, the console's close and a log-off or shutdown end the game as a close of
// its window does; the handler runs on a thread of its own, which may wait for the game.
BOOL WINAPI onConsoleEvent(DWORD) {
    if (signals.fetch_add(1) > 0) {
        std::fputs("vorblet: asked twice to quit; quitting at once, without saving the scores\n",
                   stderr);
        ExitProcess(1);
    }
    Sleep(grace * 1000);
    std::fputs("vorblet: the game did not end in time after the quit signal; quitting without "
               "saving the scores\n",
               stderr);
    ExitProcess(1);
}

} // namespace

void catchQuitSignals(unsigned graceSeconds) {
    grace = graceSeconds;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

bool quitSignalled() {
    return signals.load() > 0;
}

} // namespace platform

#include "app/game_thread.h"
#include "app/play_loop.h"

#include "gfx/image.h"
#include "gfx/surfaces.h"
#include "objects/inventory.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "screens/startup_logo.h"

#include <atomic>

namespace {

// Set on the game thread, read by the main thread once that thread has ended.
std::atomic<int> startFailure{0};

} // namespace

int startFailed() {
    return startFailure.load();
}

void noteStartFailure() {
    startFailure.store(1);
}

int startAssets() {
    int r = loadSheets();
    if (r == 1) r = createLayers();
    if (r == 1) {
        openSounds(); // a failure here only sets soundDisabled
        setupSprites();
    }
    return r;
}

int gameThreadMain(void*) {
    if (bindScreen(screen) != nullptr && startAssets() == 1 && showStartupLogo(screen) == 1)
        runPlayLoop();
    else
        noteStartFailure();
    // The thread ended by itself. If the player's close already claimed the shutdown, the
    // main thread is waiting for this thread and nothing must be sent.
    if (claimQuit()) platform::sendDestroy();
    return 0;
}

#include "app/play_loop.h"
#include "app/score_file.h"
#include "app/user_dirs.h"
#include "game/round.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "platform/system/user_folders.h"
#include "screens/game_over.h"
#include "screens/title_screen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A save that fails is told, so that the player learns of it while the scores are still on
// the screen rather than at the next start.
void saveScores() {
    if (scoreFile.empty()) {
        std::fprintf(stderr, "vorblet: cannot save the scores: no home folder is known (HOME and "
                             "XDG_DATA_HOME are unset)\n");
        return;
    }
    // On a first run the XDG data folder may not be there yet.
    if (platform::makeFolderFor(scoreFile) == 1 &&
        saveScoreTable(scoreFile.c_str(), ScoreTable) == 1)
        return;
    const int failure = errno;
    std::fprintf(stderr, "vorblet: cannot save the scores in %s: %s\n", scoreFile.c_str(),
                 failure != 0 ? std::strerror(failure) : "the write failed");
}

} // namespace

void runPlayLoop() {
    readDataFile(scoreFile.c_str(), ScoreTable, kScoreTableBytes);
    for (;;) {
        int mode = runTitleScreen();
        // The flag is tested only here, so a close during a round passes through one more
        // title screen, which returns at once.
        if (mode == 0 || quitRequested.load() != 0) break;
        playRound(mode);
        runGameOver();
        if (platform::sessionMayEndUnannounced()) saveScores();
    }
    saveScores();
}

#include "app/game_thread.h"
#include "app/score_file.h"
#include "app/user_dirs.h"
#include "game/round.h"
#include "objects/program_data.h"
#include "platform/platform.h"
#include "screens/game_over.h"
#include "screens/title_screen.h"

namespace {

void saveScores() {
    // On a first run the XDG data folder may not be there yet.
    makeFolderFor(scoreFile);
    saveScoreTable(scoreFile.c_str(), ScoreTable);
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

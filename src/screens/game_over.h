#pragma once
// The game-over sequence after every round.

// After a round: the game-over artwork over the play area while the remaining blocks churn,
// until a button or 200 passes (about 20 s). It waits for every button to be released both
// before and after, so the press that ended the round, or this sequence, does nothing more.
void runGameOver();

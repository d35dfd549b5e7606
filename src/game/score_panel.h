#pragma once
// The panel right of the play area: labels drawn once per round on bgLayer, and the high-score,
// score and level numbers, redrawn on backBuffer and copied to the window only when they change.
#include "game/game_mode.h"
#include "gfx/blit_rect.h"

#include <cstdint>

// Where the numbers live; each holds eight digit cells (two for the level), right-aligned.
constexpr BlitRect kHighScoreArea{152, 496, 16, 128};
constexpr BlitRect kScoreArea{216, 496, 16, 128};
constexpr BlitRect kLevelArea{280, 592, 16, 32};

// Draws "HISCORE", "SCORE", "LEVEL" and the label of the variant chosen on the title screen
// (`mode` as chosen, 1 to 5) onto bgLayer. BENCH says "B NOSND" when the run is silent.
void drawPanelLabels(GameMode mode);
// The ScoreTable entry of the variant played: the played mode, except that ULTRA, played as
// HYPER with rate factor 0, keeps its own entry 3.
int32_t highScoreIndex(GameMode mode, int32_t rateFactor);
// Raises the variant's high score to `score` if it passed it, and shows both numbers.
void showScore(GameMode mode, int32_t rateFactor);
// Shows the level: one digit up to 9, two from 10.
void showLevel(int32_t level);

#pragma once
// Temporary stand-ins for the screens, artwork and round that are still being built; each goes
// away when the real one lands.

#include "app/inventory.h"

int showStartupLogo();
int runTitleScreen();
void playRound(int mode);
void runGameOver();

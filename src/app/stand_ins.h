#pragma once
// Temporary stand-ins for the screens, artwork and round that are still being built; each goes
// away when the real one lands.

bool bindScreen();
int loadSheets();
int createLayers();
int openSounds();
void setupSprites();
int showStartupLogo();
int runTitleScreen();
void playRound(int mode);
void runGameOver();

#pragma once
// The game thread's body: set-up, the start-up logo, the play loop and the end of the program.

// Everything but the window: set-up, the start-up logo, the play loop, and the end handling.
int gameThreadMain(void* argument);
// Loads the artwork, makes the layers, opens the sounds and sets up the sprites, in that order.
// 1 when artwork and layers are ready; a sound failure only silences the run.
int startAssets();
// 1 once the start (the screen, the artwork, the layers or the start-up logo) has failed, so
// that the program can end with an exit code that says so; noteStartFailure sets it.
int startFailed();
void noteStartFailure();

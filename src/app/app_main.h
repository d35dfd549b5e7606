#pragma once
// The entry function and the window's two lifecycle events.

// The entry function: reads the flags (a player's --fullscreen, --window and --data-dir, and the
// test, recording and benchmark ones), opens the window and pumps it until the program ends.
// Returns the exit code.
int appMain(int argc, char** argv);

// The window's two lifecycle events, on the main thread.
void windowCreated();
void windowDestroyed();

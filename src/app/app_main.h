#pragma once
// The entry function and the window's two lifecycle events.

// The entry function: reads the test and benchmark flags (a player passes none), opens the
// window and pumps it until the program ends. Returns the exit code.
int appMain(int argc, char** argv);

// The window's two lifecycle events, on the main thread.
void windowCreated();
void windowDestroyed();

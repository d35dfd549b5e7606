#pragma once
// The real window: made and pumped on the main thread, which also shows the game thread's
// pictures and message boxes and carries out its request to close.
#include "platform/platform.h"

namespace platform::sdl {

void showMessageBox(const char* title, const char* text);
void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep);
void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep);
int runWindow(const WindowHandlers& handlers);
void postQuit();
void sendDestroy();
void waitGameThread();
// Game thread: closes the window as the player would (a replay that reached the recorded close).
void closeWindow();

} // namespace platform::sdl

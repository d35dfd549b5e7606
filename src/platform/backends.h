#pragma once
// The two backends behind the seam; platform.cpp dispatches each seam call to one of them.
#include "platform/platform.h"

#include <string>
#include <vector>

namespace platform::headless {

struct ScriptEvent {
    uint32_t ms;
    enum Kind { keyDown, keyUp, joyX, joyNone, cursor, close } kind;
    int value; // virtual key (VK_* or kJoyFire), joystick x or cursor x
};
constexpr int kJoyFire = 0x100; // the joystick's button 1 in script events

// Parses a script; on a malformed line fills error with "LINE: what" and returns false.
bool parseScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

int start(bool realClock, const HeadlessOptions& options);
void addShot(uint32_t ms, const char* path);
bool isKeyDown(int virtualKey);
int readJoystick(uint32_t& x, uint32_t& buttons);
int32_t cursorClientX();
void buttonsPolled();
uint32_t tickCount();
void sleepMs(uint32_t ms);
void showMessageBox(const char* title, const char* text);
void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep);
void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep);
int runWindow(const WindowHandlers& handlers);
void postQuit();
void sendDestroy();
void waitGameThread();
void finish(int exitCode);
int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);
void traceSound(const char* action, int clip, int result);

} // namespace platform::headless

namespace platform::sdl {

bool isKeyDown(int virtualKey);
int readJoystick(uint32_t& x, uint32_t& buttons);
int32_t cursorClientX();
void showMessageBox(const char* title, const char* text);
void writeWindow(int left, int top, int width, int height, const uint8_t* firstLine,
                 ptrdiff_t lineStep);
void readWindow(int left, int top, int width, int height, uint8_t* firstLine, ptrdiff_t lineStep);
int runWindow(const WindowHandlers& handlers);
void postQuit();
void sendDestroy();
void waitGameThread();
int audioOpen(const char* path, int& handle);
int audioPlay(int handle);
int audioStop(int handle);
int audioIsPlaying(int handle, int& playing);
int audioClose(int handle);

} // namespace platform::sdl

namespace platform::thread {

// The game thread, common to both backends.
void start(int (*entry)(void*), void* argument);
bool hasEnded();
void join();

} // namespace platform::thread

#pragma once
// What the recorder and the replayer share: the backend they wrap, the window's close as it meets
// the game thread, the picture whose hash both keep, and the entries that pass straight through.
#include "platform/backend.h"

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <vector>

namespace platform::record {

extern const BackendTable* inner;
extern WindowHandlers outerHandlers;

// The window's close meets the game thread under this lock. Never destroyed, like what else a
// call at exit reaches: the game's global sound clips close themselves after every ordinary
// static is gone, and still talk to the layer.
extern std::mutex& lock;
extern std::condition_variable& changed;
extern bool claimed;    // the main thread has claimed the shutdown, or found it claimed
extern bool gameEnding; // the game thread asked for the window's destruction itself
extern bool finished;   // the program is past its end: global destructors still make calls

extern uint32_t stamp; // the session time at the last sleep or poll

int soundAction(const char* action);
uint32_t boxHash(const char* title, const char* text);
// The score file's bytes as the game reads them, in a file of their own; null (errno set) when
// no such file can be made.
std::FILE* fileOfBytes(const uint8_t* bytes, size_t size);
// Copies the block into the layer's own picture and gives the picture's hash.
uint64_t presentedHash(int left, int top, int width, int height, const uint8_t* firstLine,
                       ptrdiff_t lineStep);

// The entries that are the same in both directions.
void claim();
void postQuit();
void waitGameThread();
void addShot(uint32_t ms, const char* path);
uint32_t sessionMs();
void advanceSession(uint32_t ms);
void closeWindow();

} // namespace platform::record

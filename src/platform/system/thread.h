#pragma once
// The game thread, the same for every backend: started by the window's creation, joined by the
// main thread at the end.
namespace platform::thread {

void start(int (*entry)(void*), void* argument);
bool hasEnded();
void join();

} // namespace platform::thread

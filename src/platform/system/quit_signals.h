#pragma once
// SIGTERM and SIGINT end the game as a close of its window does: the scores are saved. A game
// that does not end within the grace period, or a second signal, ends the process at once with
// exit code 1 and a message, so that nothing the game waits on can keep it alive.
namespace platform {

void catchQuitSignals(unsigned graceSeconds);
// True once a quit signal has arrived; the main thread turns it into a close.
bool quitSignalled();

} // namespace platform

#include "platform/system/quit_signals.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {

std::atomic<int> signals{0};
unsigned grace = 5;

// Only async-signal-safe calls below: write, alarm, _exit.
void say(const char* text) {
    ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void onQuitSignal(int) {
    if (signals.fetch_add(1) > 0) {
        say("vorblet: asked twice to quit; quitting at once, without saving the scores\n");
        ::_exit(1);
    }
    ::alarm(grace);
}

void onAlarm(int) {
    say("vorblet: the game did not end in time after the quit signal; quitting without saving "
        "the scores\n");
    ::_exit(1);
}

void install(int number, void (*handler)(int)) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

} // namespace

void catchQuitSignals(unsigned graceSeconds) {
    grace = graceSeconds;
    install(SIGALRM, onAlarm);
    install(SIGTERM, onQuitSignal);
    install(SIGINT, onQuitSignal);
}

bool quitSignalled() {
    return signals.load() > 0;
}

} // namespace platform

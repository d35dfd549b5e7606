#pragma once
// The command line's options: what they ask for, how they are read, and their lines in the help.
#include "platform/platform.h"
#include "platform/system/settings.h"

#include <cstdint>
#include <string>

constexpr int kMaxShots = 64;

struct Shot {
    uint32_t ms;
    const char* path;
};

// What a command line asks for; the paths point into argv.
struct Options {
    platform::Backend backend = platform::Backend::window;
    platform::HeadlessOptions headless;
    Shot shots[kMaxShots];
    int shotCount = 0;
    platform::FullscreenChoice fullscreen = platform::FullscreenChoice::saved;
    const char* dataDir = nullptr;
    bool helpWanted = false;
    bool versionWanted = false;
    bool watch = false;
    uint32_t given = 0; // one bit per option given, in the order of the option table
};

// Reads argv into options. Returns 0 when the run can go on (or only the help or the version is
// wanted), or the exit code 2 with what is wrong in error.
int parseOptions(int argc, char** argv, Options& options, std::string& error);

// The help's lists of the options, from "Options:" on, to standard output.
void printOptionHelp();

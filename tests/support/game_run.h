#pragma once
// Runs the real vorblet binary in a fresh game folder, for whole-program tests.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"

struct GameRun {
    int exitCode = -1;
    std::vector<std::string> trace;
    std::string errors; // what the program wrote to stderr
};

// A fresh folder, under a temporary directory of this process, holding a copy of the built BMP/
// and wav/ folders (when withAssets), ready to be a run's working directory. The process's
// folders are removed at its end when every test passed, and kept for a look otherwise.
std::filesystem::path makeGameFolder(const std::string& name, bool withAssets = true);

// Runs `vorblet args...` in folder, its stderr going to stderr.txt, and waits at most
// timeoutSeconds; a run that hangs is killed and reported with exit code -1. The trace is read
// from trace.txt when there is one. Each NAME=VALUE of environment is set for the run alone.
GameRun runProgram(const std::filesystem::path& folder, const std::vector<std::string>& args,
                   int timeoutSeconds = 120, const std::vector<std::string>& environment = {});

// Runs `vorblet --headless --script <script> --trace ... extraArgs` in folder and waits at most
// timeoutSeconds; a run that hangs is killed and reported with exit code -1.
GameRun runHeadless(const std::filesystem::path& folder, const std::string& script,
                    const std::vector<std::string>& extraArgs = {}, int timeoutSeconds = 120,
                    const std::vector<std::string>& environment = {});

// The argument as one word of a POSIX shell command line, whatever it holds.
std::string quoted(const std::string& arg);

std::vector<std::string> linesContaining(const std::vector<std::string>& lines,
                                         const std::string& word);

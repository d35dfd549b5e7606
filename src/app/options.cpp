#include "app/options.h"

#include "platform/system/quoted.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The kinds of run; a recording window session is one of its own because it may keep a trace.
enum Mode : unsigned {
    kWindow = 1,
    kRecordingWindow = 2,
    kHeadless = 4,
    kBench = 8,
    kReplay = 16,
    kWatchedReplay = 32,
    kAnyMode = 63,
};
constexpr unsigned kWindows = kWindow | kRecordingWindow | kWatchedReplay;
constexpr unsigned kReplays = kReplay | kWatchedReplay;

enum Section { kPlayer, kTests, kRecording };
const char* const kSectionTitles[] = {
    "Options:", "For tests and measurements:", "Recording and replaying a session:"};

// What is wrong with the value, or nothing.
using Set = std::string (*)(Options& options, const char* value);

struct Option {
    const char* flag;
    const char* value; // the value's name in the help; null when the flag takes none
    bool repeats;      // may be given again (flags without a value always may)
    unsigned modes;    // the modes it is allowed in
    Section section;
    const char* help; // a line feed goes on under the first line's text
    Set set;
};

template <typename T> std::string store(T& field, T value) {
    field = value;
    return {};
}

std::string chooseFullscreen(Options& options, platform::FullscreenChoice choice) {
    if (options.fullscreen != platform::FullscreenChoice::saved && options.fullscreen != choice)
        return "--fullscreen and --window exclude each other";
    return store(options.fullscreen, choice);
}

std::string addShot(Options& options, const char* text) {
    if (options.shotCount == kMaxShots)
        return "at most " + std::to_string(kMaxShots) + " --shot pictures in one run";
    const char* colon = std::strchr(text, ':');
    char* end = nullptr;
    errno = 0;
    const unsigned long long ms = colon == nullptr ? 0 : std::strtoull(text, &end, 10);
    if (colon == nullptr || colon == text || colon[1] == '\0' || end != colon || errno != 0 ||
        ms > 0xFFFFFFFFull || text[0] == '-')
        return "--shot needs MS:PATH.bmp, not " + quotedForMessage(text);
    options.shots[options.shotCount++] = {uint32_t(ms), colon + 1};
    return {};
}

const Option kOptions[] = {
    {"--fullscreen", nullptr, false, kWindows, kPlayer, "start fullscreen",
     [](Options& o, const char*) {
         return chooseFullscreen(o, platform::FullscreenChoice::fullscreen);
     }},
    {"--window", nullptr, false, kWindows, kPlayer, "start in a window",
     [](Options& o, const char*) {
         return chooseFullscreen(o, platform::FullscreenChoice::window);
     }},
    {"--data-dir", "DIR", false, kAnyMode, kPlayer, "take the artwork and sounds from DIR",
     [](Options& o, const char* dir) { return store(o.dataDir, dir); }},
    {"--help", nullptr, false, kAnyMode, kPlayer, "show this help",
     [](Options& o, const char*) { return store(o.helpWanted, true); }},
    {"--version", nullptr, false, kAnyMode, kPlayer, "show the version",
     [](Options& o, const char*) { return store(o.versionWanted, true); }},
    {"--headless", nullptr, false, kHeadless | kReplay, kTests,
     "play a script on a virtual clock, without a window",
     [](Options& o, const char*) { return store(o.backend, platform::Backend::headless); }},
    {"--script", "FILE", false, kHeadless, kTests, "the script that --headless plays",
     [](Options& o, const char* path) { return store(o.headless.scriptPath, path); }},
    {"--trace", "FILE", false, kHeadless | kReplay | kRecordingWindow, kTests,
     "write the run's trace to FILE; with --headless, --replay or --record",
     [](Options& o, const char* path) { return store(o.headless.tracePath, path); }},
    {"--shot", "MS:PATH.bmp", true, kHeadless | kReplay, kTests,
     "with --headless or --replay: write the window picture at MS to\n"
     "PATH.bmp; repeatable",
     addShot},
    {"--no-sound", nullptr, false, kHeadless, kTests,
     "with --headless: run as on a machine with no sound device",
     [](Options& o, const char*) { return store(o.headless.noSound, true); }},
    {"--bench", nullptr, false, kBench, kTests,
     "one BENCH round without a window; prints its figures",
     [](Options& o, const char*) { return store(o.backend, platform::Backend::bench); }},
    {"--record", "FILE", false, kRecordingWindow | kHeadless, kRecording,
     "write what the game sees (keys, clock, sounds, scores) to FILE\n"
     "as it runs, in the window or with --headless",
     [](Options& o, const char* path) { return store(o.headless.recordPath, path); }},
    {"--replay", "FILE", false, kReplays, kRecording,
     "play a recording back exactly, without a window, as fast as it\n"
     "goes; the score file is written only to --scores FILE",
     [](Options& o, const char* path) { return store(o.headless.replayPath, path); }},
    {"--watch", nullptr, false, kWatchedReplay, kRecording,
     "with --replay: play it back in a window at the recorded speed",
     [](Options& o, const char*) { return store(o.watch, true); }},
    {"--scores", "FILE", false, kReplays, kRecording,
     "with --replay: where to write the score file",
     [](Options& o, const char* path) { return store(o.headless.scoresPath, path); }},
};
constexpr int kOptionCount = int(sizeof kOptions / sizeof kOptions[0]);
static_assert(kOptionCount <= 32, "Options::given holds one bit per option");

int indexOf(const std::string& flag) {
    for (int i = 0; i < kOptionCount; ++i)
        if (flag == kOptions[i].flag) return i;
    return -1;
}

bool isGiven(const Options& options, const char* flag) {
    return (options.given >> indexOf(flag) & 1) != 0;
}

unsigned modeOf(const Options& options) {
    if (options.headless.replayPath != nullptr) return options.watch ? kWatchedReplay : kReplay;
    if (options.backend == platform::Backend::bench) return kBench;
    if (options.backend == platform::Backend::headless) return kHeadless;
    return options.headless.recordPath != nullptr ? kRecordingWindow : kWindow;
}

// True when the run is in one of modes and gives an option allowed in none of them.
bool givenOutside(const Options& options, unsigned mode, unsigned modes) {
    if ((mode & modes) == 0) return false;
    for (int i = 0; i < kOptionCount; ++i)
        if ((options.given >> i & 1) != 0 && (kOptions[i].modes & modes) == 0) return true;
    return false;
}

// What is wrong across the options (the first fault, in the order below), or nothing.
std::string crossFault(const Options& o) {
    if (isGiven(o, "--headless") && isGiven(o, "--bench"))
        return "--headless and --bench exclude each other";
    const unsigned mode = modeOf(o);
    if (givenOutside(o, mode, kReplays))
        return "--replay goes without --record, --script, --no-sound and --bench";
    if (givenOutside(o, mode, kWatchedReplay))
        return "--replay --watch shows a window: no --headless, --trace or --shot";
    if (givenOutside(o, mode, kAnyMode & ~kReplays))
        return "--watch and --scores go only with --replay";
    if (mode == kBench && isGiven(o, "--record"))
        return "--record goes with the window or --headless, not --bench";
    if (mode == kHeadless && o.headless.scriptPath == nullptr)
        return "--headless needs --script FILE";
    // Apart, because a recording window keeps a trace that the window alone does not.
    if (givenOutside(o, mode, kWindow | kBench) || givenOutside(o, mode, kRecordingWindow))
        return "--script, --trace, --shot and --no-sound go only with --headless";
    if (givenOutside(o, mode, kAnyMode & ~kWindows))
        return "--fullscreen and --window go only with the window";
    return "";
}

int refuse(std::string& error, const std::string& what) {
    error = what;
    return 2;
}

} // namespace

int parseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const int index = indexOf(flag);
        if (index < 0) return refuse(error, "unknown argument " + quotedForMessage(flag));
        const Option& option = kOptions[index];
        const char* value = nullptr;
        if (option.value != nullptr) {
            if (i + 1 == argc) return refuse(error, flag + " needs a value");
            // A second one would silently win over the first.
            if (!option.repeats && (options.given >> index & 1) != 0)
                return refuse(error, flag + " given twice");
            value = argv[++i];
        }
        options.given |= uint32_t(1) << index;
        if (std::string fault = option.set(options, value); !fault.empty())
            return refuse(error, fault);
        // The version is told whatever follows it.
        if (options.versionWanted) return 0;
    }
    if (options.helpWanted) return 0;
    if (std::string fault = crossFault(options); !fault.empty()) return refuse(error, fault);
    if (options.headless.replayPath != nullptr)
        options.backend = options.watch ? platform::Backend::window : platform::Backend::headless;
    return 0;
}

void printOptionHelp() {
    for (int section = kPlayer; section <= kRecording; ++section) {
        std::printf("\n%s\n", kSectionTitles[section]);
        for (const Option& option : kOptions) {
            if (option.section != section) continue;
            std::string name = option.flag;
            if (option.value != nullptr) name = name + " " + option.value;
            std::printf("  %-20s", name.c_str());
            for (const char* c = option.help; *c != '\0'; ++c) {
                if (*c == '\n')
                    std::printf("\n%22s", "");
                else
                    std::putchar(*c);
            }
            std::putchar('\n');
        }
    }
}

#include "platform/test_hooks.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace platform {

namespace {

// The list is read once: hooks are consulted on both threads and the environment is not.
const std::string& armedHooks() {
    static const std::string hooks = [] {
        const char* text = std::getenv("VORBLET_TEST_HOOK");
        std::string hooks(",");
        hooks += text != nullptr ? text : "";
        return hooks + ",";
    }();
    return hooks;
}

// Where the entry of this name starts in the list, or npos.
size_t findHook(const char* name) {
    const std::string& hooks = armedHooks();
    const size_t length = std::strlen(name);
    for (size_t at = hooks.find(name); at != std::string::npos; at = hooks.find(name, at + 1)) {
        char after = hooks[at + length];
        if (hooks[at - 1] == ',' && (after == ',' || after == ':')) return at;
    }
    return std::string::npos;
}

} // namespace

bool testHookArmed(const char* name) {
    return findHook(name) != std::string::npos;
}

std::string testHookArgument(const char* name) {
    size_t at = findHook(name);
    const std::string& hooks = armedHooks();
    if (at == std::string::npos || hooks[at + std::strlen(name)] != ':') return {};
    size_t start = at + std::strlen(name) + 1;
    return hooks.substr(start, hooks.find(',', start) - start);
}

void testHookReached(const char* name) {
    std::fprintf(stderr, "vorblet: test hook %s reached\n", name);
    std::fflush(stderr);
}

void stallOpenIfArmed(const char* path) {
    const std::string name = testHookArgument("stall-open");
    const size_t length = std::strlen(path);
    if (name.empty() || length < name.size() || name != path + (length - name.size())) return;
    testHookReached("stall-open");
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

} // namespace platform

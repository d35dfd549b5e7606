// Every backend fills every entry of the table: GCC warns of a missing designated initializer,
// but clang leaves it null without a word, and the start refuses a table with an empty entry.
#include "platform/backend.h"

#include <gtest/gtest.h>

namespace {

TEST(BackendTable, EveryBackendFillsEveryEntry) {
    const struct {
        const char* name;
        const platform::BackendTable& table;
    } backends[] = {
        {"sdl", platform::sdl::backend},
        {"headless", platform::headless::backend},
        {"recorder", platform::record::recorder},
        {"replayer", platform::record::replayer},
    };
    for (const auto& backend : backends)
        EXPECT_EQ(platform::firstEmptyEntry(backend.table), -1) << backend.name;
    // The check itself finds an entry left out, wherever it is.
    platform::BackendTable missing = platform::headless::backend;
    missing.session.closeWindow = nullptr;
    EXPECT_EQ(platform::firstEmptyEntry(missing),
              int(sizeof(platform::BackendTable) / sizeof(void (*)()) - 1));
    missing = platform::headless::backend;
    missing.window.runWindow = nullptr;
    EXPECT_EQ(platform::firstEmptyEntry(missing), 0);
}

} // namespace

// Every backend fills every entry of the table: GCC warns of a missing designated initializer,
// but clang leaves it null without a word, and a null entry would crash the first call through it.
#include "platform/backend.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using AnyFunction = void (*)();

// The table holds nothing but function pointers, so it reads as an array of them.
static_assert(sizeof(platform::BackendTable) % sizeof(AnyFunction) == 0);
constexpr size_t kEntries = sizeof(platform::BackendTable) / sizeof(AnyFunction);

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
    for (const auto& backend : backends) {
        AnyFunction entries[kEntries];
        std::memcpy(entries, &backend.table, sizeof entries);
        for (size_t i = 0; i < kEntries; ++i)
            EXPECT_NE(entries[i], nullptr) << backend.name << ": entry " << i << " is empty";
    }
}

} // namespace

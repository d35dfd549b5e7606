// A round allocates nothing: its balls and paddle are made on the stack when it starts. This file
// replaces the global allocation functions for the whole test program with ones that count, on
// the calling thread only, while a test asks them to.
#include "game/round_fixture.h"

#include "input/frame_pacer.h"
#include "platform/headless/state.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool counting = false;
thread_local int64_t allocations = 0;

void* allocate(size_t size) {
    if (counting) ++allocations;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* allocateAligned(size_t size, std::align_val_t alignment) {
    if (counting) ++allocations;
    const size_t align = std::max(static_cast<size_t>(alignment), sizeof(void*));
    void* p = nullptr;
    if (posix_memalign(&p, align, size == 0 ? 1 : size) != 0) throw std::bad_alloc();
    return p;
}

} // namespace

void* operator new(size_t size) {
    return allocate(size);
}
void* operator new[](size_t size) {
    return allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new[](size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t, std::align_val_t) noexcept {
    std::free(p);
}

using namespace roundtest;

namespace {

class RoundAllocations : public RoundTest, public testing::WithParamInterface<GameMode> {
  protected:
    void SetUp() override {
        RoundTest::SetUp();
        startFrameTimer();
        // The probe keeps every sound line in a list of its own; room made now keeps that
        // bookkeeping from counting as the round's.
        platform::headless::state().soundEvents.reserve(100000);
    }

    static void start() {
        allocations = 0;
        counting = true;
    }
    static int64_t stop() {
        counting = false;
        return allocations;
    }
};

TEST_P(RoundAllocations, NoneInAWholeRound) {
    // Escape held from the start: the fade, the pause and the 16 frames of a round.
    platform::probe::setKey(platform::kKeyEscape, true);
    start();
    playRound(GetParam());
    EXPECT_EQ(stop(), 0);
}

TEST_P(RoundAllocations, NoneInFiveHundredFrames) {
    start();
    startRound(GetParam());
    // Launches, bounces, strikes, growth, descents, two level-ups and new scores.
    for (int32_t n = 0; n < 500 && roundGoesOn(round) == 1; ++n)
        playFrame(round);
    tearDownRound(round);
    EXPECT_EQ(stop(), 0);
    EXPECT_GE(round.level, 2);
    EXPECT_GT(score, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, RoundAllocations,
                         testing::Values(HYPER, SUPER, ULTRA, NORMAL, BENCH));

TEST(AllocationCounter, SeesAnAllocation) {
    counting = true;
    allocations = 0;
    void* p = ::operator new(16);
    counting = false;
    ::operator delete(p);
    EXPECT_EQ(allocations, 1);
}

} // namespace

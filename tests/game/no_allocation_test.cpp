#include "field_fixture.h"
#include "game/ball.h"
#include "game/block_animation.h"
#include "game/paddle.h"
#include "game/random.h"
#include "game/walls.h"
#include "platform/platform.h"
#include "surface_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

// The sanitizer runtime calls these hooks on every allocation; without the sanitizers the test
// has nothing to count with and is skipped.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*))
    __attribute__((weak));

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void countAllocation(const volatile void*, size_t) {
    if (counting.load()) allocations.fetch_add(1);
}
void ignoreFree(const volatile void*) {}

bool installHooks() {
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks != nullptr &&
        __sanitizer_install_malloc_and_free_hooks(countAllocation, ignoreFree) != 0;
    return installed;
}

class NoAllocation : public DrawingTest {};

// BENCH keeps the effects silent, since the headless backend records every sound it is asked
// to play; the descent, which always sounds, is left out for that reason.
TEST_F(NoAllocation, FieldBallsAndPaddleAllocateNothing) {
    if (!installHooks()) GTEST_SKIP() << "no sanitizer allocator to count with";
    mouseControl = 0;
    Pad paddle;
    Ball balls[40];
    platform::probe::setKey(platform::kKeyRight, true);
    resetRandom();

    allocations = 0;
    counting = true;
    fillStage(HYPER, 2);
    buildWalls(BENCH);
    drawBlocks();
    initPaddle(paddle, 2000);
    int32_t height = findHeight();
    for (int frame = 0; frame < 300; ++frame) {
        spawnBall(balls[frame % 40], paddle.x + 320, BENCH);
        for (Ball& ball : balls) {
            if (ball.alive == 1) stepBall(ball, paddle.x, height, BENCH);
        }
        movePaddle(paddle);
        growBlock(height, 2);
        height = findHeight();
        flashTick = frame % 6;
        animateBlocks(BENCH);
    }
    counting = false;
    mouseControl = 1;
    EXPECT_EQ(allocations.load(), 0);
}

} // namespace

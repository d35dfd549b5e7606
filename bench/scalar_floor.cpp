#include "scalar_floor.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace {

constexpr int32_t kBalls = 2000;
constexpr int32_t kBackRow = 640 * 3;
constexpr int32_t kFieldRow = 480 * 3;
constexpr int32_t kHeight = 460;

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

FloorScene::FloorScene(bool bunched)
    : field(kFieldRow * kHeight), back(kBackRow * kHeight), window(kBackRow * kHeight),
      ball(8 * 8 * 3), places(kBalls) {
    for (size_t i = 0; i < field.size(); ++i)
        field[i] = static_cast<uint8_t>(i * 7);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) {
            const int32_t dx = 2 * x - 7, dy = 2 * y - 7;
            const bool inside = dx * dx + dy * dy < 64;
            uint8_t* p = &ball[static_cast<size_t>((y * 8 + x) * 3)];
            p[0] = inside ? static_cast<uint8_t>(40 + x) : 255;
            p[1] = inside ? static_cast<uint8_t>(80 + y) : 255;
            p[2] = inside ? 200 : 255;
        }
    const uint32_t spanX = bunched ? 16 : 440, spanY = bunched ? 16 : 420;
    uint32_t state = 1;
    for (int32_t& place : places) {
        state = state * 22695477u + 1u;
        const int32_t x = 16 + static_cast<int32_t>((state >> 16) % spanX);
        state = state * 22695477u + 1u;
        const int32_t y = 16 + static_cast<int32_t>((state >> 16) % spanY);
        place = y * kBackRow + x * 3;
    }
}

int32_t FloorScene::top(size_t ball) const {
    return places[ball] / kBackRow;
}

int32_t FloorScene::left(size_t ball) const {
    return places[ball] % kBackRow / 3;
}

void restoreFloorBalls(FloorScene& scene) {
    uint8_t* back = scene.back.data();
    const uint8_t* field = scene.field.data();
    for (const int32_t place : scene.places) {
        const int32_t y = place / kBackRow, x3 = place % kBackRow;
        for (int32_t row = 0; row < 8; ++row)
            std::memcpy(back + place + row * kBackRow, field + (y + row) * kFieldRow + x3, 24);
    }
}

void drawFloorBalls(FloorScene& scene) {
    uint8_t* back = scene.back.data();
    for (const int32_t place : scene.places) {
        const uint8_t* from = scene.ball.data();
        for (int32_t row = 0; row < 8; ++row) {
            uint8_t* to = back + place + row * kBackRow;
            for (int32_t x = 0; x < 8; ++x, from += 3, to += 3) {
                if ((from[0] & from[1] & from[2]) == 255) continue;
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
    }
}

void presentFloorField(FloorScene& scene) {
    for (int32_t row = 0; row < kHeight; ++row)
        std::memcpy(scene.window.data() + row * kBackRow, scene.back.data() + row * kBackRow,
                    kFieldRow);
}

void playFloorFrame(FloorScene& scene) {
    restoreFloorBalls(scene);
    drawFloorBalls(scene);
    presentFloorField(scene);
}

FloorRate measureFloor(FloorScene& scene, double seconds) {
    const double cpuStart = threadSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    int64_t frames = 0;
    double cpu = 0.0;
    do {
        for (int32_t k = 0; k < 100; ++k)
            playFloorFrame(scene);
        frames += 100;
        cpu = threadSeconds() - cpuStart;
    } while (cpu < seconds);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return {static_cast<double>(frames) / cpu, static_cast<double>(frames) / wall};
}

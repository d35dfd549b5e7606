// The blits a frame and a fade are made of, on off-screen surfaces of the game's sizes.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "gfx/blit.h"
#include "gfx/image.h"

namespace {

struct Surfaces {
    QUORINImage sheet, frame, layer, field;

    Surfaces() {
        screenBound = 1;
        createSurface(sheet, 512, 64);
        createSurface(frame, 640, 460);
        createSurface(layer, 640, 460);
        createSurface(field, 480, 460);
        // Round shapes on white, like the ball and glyph cells: about a third of each cell keyed.
        for (int32_t y = 0; y < 64; ++y)
            for (int32_t x = 0; x < 512; ++x) {
                uint8_t* p = sheet.pixels + ((63 - y) * 512 + x) * 3;
                const int32_t dx = x % 16 - 8, dy = y % 16 - 8;
                const bool inside = dx * dx + dy * dy < 48;
                p[0] = inside ? static_cast<uint8_t>(x) : 255;
                p[1] = inside ? static_cast<uint8_t>(y) : 255;
                p[2] = inside ? 90 : 255;
            }
        for (int32_t i = 0; i < 640 * 460 * 3; ++i) {
            layer.pixels[i] = static_cast<uint8_t>(i * 7);
            frame.pixels[i] = static_cast<uint8_t>(i * 13);
        }
        for (int32_t i = 0; i < 480 * 460 * 3; ++i)
            field.pixels[i] = static_cast<uint8_t>(i);
        // A white sprinkling in the layer, as the fade's layers have.
        for (int32_t i = 0; i < 640 * 460 * 3; i += 3 * 97)
            layer.pixels[i] = layer.pixels[i + 1] = layer.pixels[i + 2] = 255;
    }
};

Surfaces& surfaces() {
    static Surfaces s;
    return s;
}

void keyedBall8(benchmark::State& state) {
    Surfaces& s = surfaces();
    const BlitRect from{4, 4, 8, 8};
    BlitRect to{100, 100, 8, 8};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedBall8);

void keyedGlyph16(benchmark::State& state) {
    Surfaces& s = surfaces();
    const BlitRect from{16, 32, 16, 16};
    BlitRect to{200, 100, 16, 16};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedGlyph16);

void keyedStretch16To24(benchmark::State& state) {
    Surfaces& s = surfaces();
    const BlitRect from{0, 16, 16, 16};
    BlitRect to{300, 100, 24, 24};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedStretch16To24);

void copyPlayArea480x460(benchmark::State& state) {
    Surfaces& s = surfaces();
    const BlitRect area{0, 0, 460, 480};
    for (auto _ : state) {
        blit(s.field, copy, area, s.frame, area, 1.0f);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 480 * 460 * 3);
}
BENCHMARK(copyPlayArea480x460);

void blendLayer640x460(benchmark::State& state) {
    Surfaces& s = surfaces();
    const BlitRect whole{0, 0, 460, 640};
    for (auto _ : state) {
        blit(s.layer, blend, whole, s.frame, whole, 0.1f);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 640 * 460 * 3);
}
BENCHMARK(blendLayer640x460)->Unit(benchmark::kMicrosecond);

} // namespace

// The blits a frame and a fade are made of, on off-screen surfaces of the game's sizes, on each
// path the processor runs (the argument: 0 scalar, 1 SSE2, 2 AVX2), and the scalar floor's frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/blit.h"
#include "gfx/blit_kernels.h"
#include "gfx/image.h"
#include "scalar_floor.h"

namespace {

struct Surfaces {
    // Surfaces are made only once a window is bound; the benchmark binds one of its own.
    QUORINImage window, sheet, frame, layer, field;

    Surfaces() {
        bindScreen(window);
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

// Holds the blitter to the benchmark's path while it runs; false when the processor lacks it.
class OnPath {
  public:
    explicit OnPath(benchmark::State& state) : before_(currentBlitPath()) {
        ok_ = useBlitPath(static_cast<BlitPath>(state.range(0))) == 1;
        if (!ok_) state.SkipWithError("this processor lacks the path");
    }
    ~OnPath() { useBlitPath(before_); }
    bool ok() const { return ok_; }

  private:
    BlitPath before_;
    bool ok_ = false;
};

void eachPath(benchmark::internal::Benchmark* b) {
    b->ArgName("path")->Arg(0)->Arg(1)->Arg(2);
}

void keyedBall8(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    const BlitRect from{4, 4, 8, 8};
    BlitRect to{100, 100, 8, 8};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedBall8)->Apply(eachPath);

void keyedGlyph16(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    const BlitRect from{16, 32, 16, 16};
    BlitRect to{200, 100, 16, 16};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedGlyph16)->Apply(eachPath);

void keyedStretch16To24(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    const BlitRect from{0, 16, 16, 16};
    BlitRect to{300, 100, 24, 24};
    for (auto _ : state) {
        blit(s.sheet, keyed, from, s.frame, to, 1.0f);
        to.left = static_cast<int16_t>((to.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(keyedStretch16To24)->Apply(eachPath);

// The restore of a ball: fieldLayer's 8 x 8 under it copied back onto the frame.
void copyRestore8(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    BlitRect at{100, 100, 8, 8};
    for (auto _ : state) {
        blit(s.field, copy, at, s.frame, at, 1.0f);
        at.left = static_cast<int16_t>((at.left + 1) & 255);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(copyRestore8)->Apply(eachPath);

void copyPlayArea480x460(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    const BlitRect area{0, 0, 460, 480};
    for (auto _ : state) {
        blit(s.field, copy, area, s.frame, area, 1.0f);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 480 * 460 * 3);
}
BENCHMARK(copyPlayArea480x460)->Apply(eachPath);

void blendLayer640x460(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    Surfaces& s = surfaces();
    const BlitRect whole{0, 0, 460, 640};
    for (auto _ : state) {
        blit(s.layer, blend, whole, s.frame, whole, 0.1f);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 640 * 460 * 3);
}
BENCHMARK(blendLayer640x460)->Apply(eachPath)->Unit(benchmark::kMicrosecond);

// The floor's frame in its parts, and the same restores and ball draws through blit on surfaces
// of the game's sizes, at the same 2000 places: where a BENCH frame's pixel time goes. The second
// argument bunches the places (1) so that all they touch stays in cache: what a part costs beyond
// that is waiting for memory.
struct FrameScene {
    FloorScene floor;
    QUORINImage window, field, back, ball;
    std::vector<BlitRect> places;

    explicit FrameScene(bool bunched) : floor(bunched) {
        bindScreen(window);
        createSurface(field, 480, 460);
        createSurface(back, 640, 460);
        createSurface(ball, 8, 8);
        for (int32_t i = 0; i < 480 * 460 * 3; ++i)
            field.pixels[i] = static_cast<uint8_t>(i * 7);
        for (int32_t y = 0; y < 8; ++y)
            std::memcpy(ball.pixels + (7 - y) * 24, floor.ball.data() + y * 24, 24);
        for (size_t i = 0; i < floor.places.size(); ++i)
            places.push_back(
                {static_cast<int16_t>(floor.top(i)), static_cast<int16_t>(floor.left(i)), 8, 8});
    }
};

FrameScene& frameScene(int64_t bunched) {
    static FrameScene spread(false), together(true);
    return bunched != 0 ? together : spread;
}

void spreadOrBunched(benchmark::internal::Benchmark* b) {
    b->ArgName("bunched")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}

void eachPathSpreadOrBunched(benchmark::internal::Benchmark* b) {
    b->ArgNames({"path", "bunched"})
        ->ArgsProduct({{0, 1, 2}, {0, 1}})
        ->Unit(benchmark::kMicrosecond);
}

void scalarFloorRestores(benchmark::State& state) {
    FrameScene& scene = frameScene(state.range(0));
    for (auto _ : state) {
        restoreFloorBalls(scene.floor);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(scalarFloorRestores)->Apply(spreadOrBunched);

void scalarFloorDraws(benchmark::State& state) {
    FrameScene& scene = frameScene(state.range(0));
    for (auto _ : state) {
        drawFloorBalls(scene.floor);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(scalarFloorDraws)->Apply(spreadOrBunched);

void scalarFloorPresent(benchmark::State& state) {
    FrameScene& scene = frameScene(0);
    for (auto _ : state) {
        presentFloorField(scene.floor);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(scalarFloorPresent)->Unit(benchmark::kMicrosecond);

void blitRestores2000(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    FrameScene& scene = frameScene(state.range(1));
    for (auto _ : state) {
        for (const BlitRect& at : scene.places)
            blit(scene.field, copy, at, scene.back, at, 1.0f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(blitRestores2000)->Apply(eachPathSpreadOrBunched);

void blitDraws2000(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    FrameScene& scene = frameScene(state.range(1));
    const BlitRect image{0, 0, 8, 8};
    for (auto _ : state) {
        for (const BlitRect& at : scene.places)
            blit(scene.ball, keyed, image, scene.back, at, 1.0f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(blitDraws2000)->Apply(eachPathSpreadOrBunched);

// The same draws as the round makes them: one call for the lot, the image's white test made once.
void blitKeyedMany2000(benchmark::State& state) {
    const OnPath path(state);
    if (!path.ok()) return;
    FrameScene& scene = frameScene(state.range(1));
    const BlitRect image{0, 0, 8, 8};
    std::vector<const BlitRect*> rects;
    for (const BlitRect& at : scene.places)
        rects.push_back(&at);
    for (auto _ : state) {
        blitKeyedMany(scene.ball, image, scene.back, rects.data(),
                      static_cast<int32_t>(rects.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(blitKeyedMany2000)->Apply(eachPathSpreadOrBunched);

void scalarFloorFrame(benchmark::State& state) {
    FloorScene& scene = frameScene(0).floor;
    for (auto _ : state) {
        playFloorFrame(scene);
        benchmark::ClobberMemory();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(scalarFloorFrame)->Unit(benchmark::kMicrosecond);

} // namespace

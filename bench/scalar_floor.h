#pragma once
// The least pixel work of a BENCH frame with 2000 balls, done by a tight scalar loop on plain
// buffers of the game's sizes: restore 2000 8 x 8 rectangles, draw 2000 keyed 8 x 8 balls and copy
// the 480 x 460 play area to a window picture. Its frame rate on a machine is the floor against
// which `vorblet --bench` is measured there.
#include <cstddef>
#include <cstdint>
#include <vector>

struct FloorScene {
    // Places spread over the inside of the play area's walls, like balls in flight; a bunched
    // scene keeps them within 24 x 24 pixels, so that every byte they touch stays in cache.
    explicit FloorScene(bool bunched = false);
    std::vector<uint8_t> field;  // 480 x 460, what a ball is erased with
    std::vector<uint8_t> back;   // 640 x 460, where the frame is drawn
    std::vector<uint8_t> window; // 640 x 460, what the window shows
    std::vector<uint8_t> ball;   // 8 x 8, white corners
    std::vector<int32_t> places; // byte offset into back of each ball's top-left pixel

    int32_t top(size_t ball) const;
    int32_t left(size_t ball) const;
};

// A frame's three parts, in this order.
void restoreFloorBalls(FloorScene& scene);
void drawFloorBalls(FloorScene& scene);
void presentFloorField(FloorScene& scene);
void playFloorFrame(FloorScene& scene);

// Frames a second of the floor, measured over at least `seconds` of the calling thread's CPU
// time and over the wall clock of the same stretch.
struct FloorRate {
    double cpu;
    double wall;
};
FloorRate measureFloor(FloorScene& scene, double seconds);

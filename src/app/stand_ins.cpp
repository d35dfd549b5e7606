#include "app/stand_ins.h"

#include "app/game_thread.h"
#include "app/program_data.h"
#include "input/frame_pacer.h"
#include "input/input.h"
#include "platform/platform.h"

#include <cstdio>
#include <vector>

namespace {

std::vector<uint8_t> frame(size_t(platform::kWindowWidth) * platform::kWindowHeight * 3);

void fill(int left, int top, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            uint8_t* p = &frame[(size_t(y) * platform::kWindowWidth + x) * 3];
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
}

void present() {
    platform::writeWindow(0, 0, platform::kWindowWidth, platform::kWindowHeight, frame.data(),
                          platform::kWindowWidth * 3);
}

} // namespace

void playRound(int mode) {
    fill(0, 0, 480, 460, 10, 12, 30);
    fill(480, 0, 160, 460, 40, 32, 80);
    int paddleX = 208, frames = 0, ending = 0;
    waitFrames(10);
    while (ending < 16 && quitRequested.load() == 0) {
        fill(paddleX, 420, 64, 16, 10, 12, 30);
        paddleX += readDirection(0) * 8;
        paddleX = paddleX < 16 ? 16 : paddleX > 400 ? 400 : paddleX;
        fill(paddleX, 420, 64, 16, 200, 200, 210);
        present();
        ++frames;
        if (frames / 30 > ScoreTable[mode]) ScoreTable[mode] = frames / 30;
        waitFrames(1);
        if (readButtons(0) & BUTTON_ESCAPE) ending = ending == 0 ? 1 : ending;
        if (ending) ++ending;
    }
}

int runBenchmark() {
    std::fprintf(stderr, "vorblet: the benchmark round is not built yet\n");
    return 1;
}

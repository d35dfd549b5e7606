#include "screens/game_over.h"

#include "backdrop/backdrop.h"
#include "game/block_animation.h"
#include "game/play_field.h"
#include "game/walls.h"
#include "screen_fixture.h"

using namespace screentest;
using namespace platform;
using platform::probe::kJoyFire;
namespace probe = platform::probe;

namespace {

// A walled field with blocks of every value in rows 3 to 27 and some empty cells between them;
// the blocks in the gap of the bottom wall (row 27) are all 6.
void layField() {
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            int8_t cell = kCellEmpty;
            if (row >= 3 && row <= 27 && column >= 3 && column <= 12 && (row + column) % 3 != 0)
                cell = static_cast<int8_t>(row == 27 ? 6 : 2 + (row + column) % 5);
            playField.shown[row][column] = cell;
            playField.value[row][column] = cell;
            playField.phase[row][column] = kPhaseRest;
        }
    }
}

class GameOver : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (HasFatalFailure()) return;
        tileBackdrop(bgLayer);
        layField();
        buildWalls(NORMAL);
        drawBlocks();
        drawSprite(composeFieldSprite);
        drawSprite(presentFieldSprite);
        std::copy(&playField.value[0][0], &playField.value[0][0] + kFieldRows * kFieldColumns,
                  &before[0][0]);
        flashTick = 0;
        flashValue = 1;
        resetRandom();
        startFrameTimer();
        presentsBefore = probe::presentCount();
    }

    uint64_t passesRun() const { return probe::presentCount() - presentsBefore; }

    int8_t before[kFieldRows][kFieldColumns];
    uint64_t presentsBefore = 0;
};

TEST_F(GameOver, WithoutAButtonItEndsAfter200PassesOfThreeFrames) {
    runGameOver();
    EXPECT_EQ(passesRun(), 200u);
    EXPECT_GE(tickCount(), 200u * 99);
    EXPECT_LT(tickCount(), 200u * 99 + 10);
    int32_t strongest = 0;
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const int8_t cell = playField.value[row][column];
            if (isBlock(before[row][column])) {
                EXPECT_GE(cell, 2) << row << "," << column;
                EXPECT_LE(cell, 6) << row << "," << column;
                strongest = std::max<int32_t>(strongest, cell);
            } else {
                EXPECT_EQ(cell, before[row][column]) << row << "," << column;
            }
        }
    }
    EXPECT_GE(strongest, 5) << "the re-scrambles reach 5 and 6";
}

TEST_F(GameOver, AButtonEndsItAfterTheCurrentPassAndItWaitsForTheRelease) {
    for (int key :
         {int{kKeySpace}, int{kKeyEscape}, kJoyFire, int{kKeyLeftButton}, int{kKeyRightButton}}) {
        const uint32_t start = tickCount();
        startFrameTimer();
        presentsBefore = probe::presentCount();
        // Pressed during the eleventh pass, which runs from 990 to 1089 ms.
        hold(key, start + 1000, start + 1500);
        runGameOver();
        EXPECT_EQ(passesRun(), 11u) << key;
        EXPECT_GE(tickCount(), start + 1500) << key;
        EXPECT_LT(tickCount(), start + 1505) << key;
    }
}

TEST_F(GameOver, TheEscapeThatEndedTheRoundDoesNotSkipThePicture) {
    const Picture lastFrame = probe::windowPicture();
    probe::setKey(kKeyEscape, true);
    schedule(500, kKeyEscape, false);
    schedule(3000, kKeySpace, true);
    schedule(3100, kKeySpace, false);
    Shots shots({400, 700});

    runGameOver();

    const Picture waiting = shots.picture(0), passing = shots.picture(1);
    ASSERT_FALSE(waiting.empty());
    ASSERT_FALSE(passing.empty());
    EXPECT_EQ(waiting, lastFrame);
    int32_t artPixels = 0;
    for (int32_t y = 0; y < 128; ++y) {
        for (int32_t x = 0; x < 480; ++x) {
            const Pixel art = pixelAt(titleSheet, 8 + x, 128 + y);
            if (art.isWhite()) continue;
            ++artPixels;
            ASSERT_EQ(pictureAt(passing, x, 128 + y), art) << x << "," << 128 + y;
            ASSERT_EQ(windowPixel(x, 128 + y), art) << x << "," << 128 + y;
        }
    }
    EXPECT_GT(artPixels, 1000);
    EXPECT_GE(tickCount(), 3100u);
}

TEST_F(GameOver, AClosedWindowRunsNoPassButWaitsForReleaseAndScramblesOnce) {
    quitRequested.store(1);
    hold(kKeyLeftButton, 0, 300);

    runGameOver();

    EXPECT_EQ(passesRun(), 0u);
    EXPECT_GE(tickCount(), 300u);
    // One draw per block cell of rows 3 to 26 in row order, each giving its number mod 3 plus 2.
    // Row 3 holds blocks in columns 4, 5, 7, 8, 10 and 11, row 4 in 3, 4, 6, 7, 9, 10 and 12; the
    // numbers 346, 130, 10982, 1090, 11656, 7117 | 17595, 6415, 22948, 31126, 9004, 14558, 3571
    // leave 1, 1, 2, 1, 1, 1 | 0, 1, 1, 1, 1, 2, 1 over 3. Columns 3 to 12, 1 being empty:
    const std::pair<int32_t, const char*> firstRows[] = {{3, "1331431331"}, {4, "2313313413"}};
    for (const auto& [row, cells] : firstRows)
        for (int32_t column = 3; column <= 12; ++column)
            EXPECT_EQ(playField.value[row][column], cells[column - 3] - '0')
                << row << "," << column;
    for (int32_t row = 0; row < kFieldRows; ++row) {
        for (int32_t column = 0; column < kFieldColumns; ++column) {
            const int8_t cell = playField.value[row][column];
            if (row >= 3 && row <= 26 && isBlock(before[row][column])) {
                ASSERT_GE(cell, 2) << row << "," << column;
                ASSERT_LE(cell, 4) << row << "," << column;
            } else {
                ASSERT_EQ(cell, before[row][column]) << row << "," << column;
            }
        }
    }
    // The field holds 160 block cells in rows 3 to 26; the 161st number is 17903.
    EXPECT_EQ(nextRandom(), 17903);
}

TEST_F(GameOver, TheTenthPassReScramblesDownToTheBottomRowWithValuesUpTo6) {
    struct Case {
        uint32_t pressMs;
        uint64_t passes;
        bool rescrambled;
    };
    for (const Case& c : {Case{850, 9, false}, Case{950, 10, true}}) {
        layField();
        buildWalls(NORMAL);
        const uint32_t start = tickCount();
        startFrameTimer();
        presentsBefore = probe::presentCount();
        hold(kKeySpace, start + c.pressMs, start + c.pressMs + 50);
        runGameOver();
        ASSERT_EQ(passesRun(), c.passes);
        int32_t strongest = 0, bottomChanged = 0;
        for (int32_t column = 3; column <= 12; ++column) {
            const int8_t cell = playField.value[27][column];
            if (!isBlock(before[27][column])) continue;
            EXPECT_GE(cell, 2);
            bottomChanged += cell != before[27][column] ? 1 : 0;
        }
        for (int32_t row = 3; row <= 26; ++row)
            for (int32_t column = 3; column <= 12; ++column)
                strongest = std::max<int32_t>(strongest, playField.value[row][column]);
        if (c.rescrambled) {
            EXPECT_GT(bottomChanged, 0);
            EXPECT_GE(strongest, 5);
        } else {
            EXPECT_EQ(bottomChanged, 0);
            EXPECT_LE(strongest, 4);
        }
    }
}

TEST_F(GameOver, BallsAndPaddleOfTheLastFrameStayOutsideTheBand) {
    constexpr Pixel ball{1, 2, 250};
    // A ball above the blocks (row 2) and the paddle in the bottom wall's gap (row 27): cells
    // the animation never redraws.
    paintRect(backBuffer, 40, 300, 8, 8, ball);
    paintRect(backBuffer, 432, 200, 16, 64, ball);
    schedule(600, kKeySpace, true);
    schedule(700, kKeySpace, false);

    runGameOver();

    EXPECT_EQ(windowPixel(303, 43), ball);
    EXPECT_EQ(windowPixel(230, 440), ball);
    // Beside the window's play area the panel is not touched.
    EXPECT_EQ(windowPixel(600, 100), white);
}

} // namespace

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "play/motion.h"

struct Ball { int i; float x, y, vx = 0.0f, vy = 0.0f; };

// Balls set on an empty table (every other ball pocketed), a number of steps,
// the answer of the last one, where the named balls are then, and how many
// the pockets took. The fixed shots pin the numbers as a whole; each row here
// pins a rule.
struct Worked { const char* what; std::vector<Ball> table; int steps; bool rest; std::vector<Ball> after; int16_t potted = 0; };

const Worked kWorked[] = {
    // 40 * 0.975 rounds to exactly 39: each ball lands on a limit and keeps going.
    {"landing on a limit", {{0, 249, 100, 40}, {1, 73, 200, -40}, {2, 150, 81, 0, -40}, {3, 100, 407, 0, 40}}, 1, false, {{0, 288, 100, 39}, {1, 34, 200, -39}, {2, 150, 42, 0, -39}, {3, 100, 446, 0, 39}}},
    {"0.5 does not move", {{0, 100, 200, 0.5f}}, 1, true, {{0, 100, 200, 0.5f}}},
    {"0.51 moves once", {{0, 100, 200, 0, 0.51f}}, 2, true, {{0, 100, 200.497253f, 0, 0.497249991f}}},
    {"clamped, then captured", {{3, 40, 60, -10, -10}}, 1, false, {{3, 0, 50.25f}}, 1},
    {"pockets", {{0, 40, 50}, {1, 40, 240}, {2, 280, 440}, {3, 288, 42}}, 1, true, {}, 4},
    {"beside the pockets", {{0, 46, 50}, {1, 276, 42}, {2, 288, 54}, {3, 40, 434}, {4, 40, 228}, {5, 40, 252}, {6, 161, 42}, {7, 34, 100}}, 1, true, {}, 0},
    {"resting overlap", {{0, 100, 200}, {1, 110, 200}}, 1, false, {{0, 100, 200, -3.5625f}, {1, 113.473434f, 200, 3.47343755f}}},
    {"16 apart, or 15 both ways", {{0, 100, 200, 0, 0.3f}, {1, 116, 200}, {2, 200, 300}, {3, 215, 315}}, 1, true, {{0, 100, 200, 0, 0.3f}, {1, 116, 200}, {3, 215, 315}}},
    // Regression: a ball captured beside one pocketed earlier pushed it along y
    // out of sight, keeping the shot rolling for about 80 steps.
    {"pocketed balls are never pushed", {{2, 40, 46, 0.3f}, {5, 0, 52.9f}}, 2, true, {{2, 0, 46}, {5, 0, 52.9f}}, 1},
};

TEST(MotionStep, ReproducesEveryWorkedValueExactly)
{
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.what);
        GameState s;
        for (const Ball& b : w.table)
            std::tie(s.ballX[b.i], s.ballY[b.i], s.ballVX[b.i], s.ballVY[b.i]) = std::tie(b.x, b.y, b.vx, b.vy);
        bool rest = false;
        for (int step = 0; step < w.steps; ++step)
            rest = MoveBalls(s);
        EXPECT_EQ(std::tuple(rest, s.pottedCount), std::tuple(w.rest, w.potted));
        for (const Ball& e : w.after)
            EXPECT_EQ(std::tuple(s.ballX[e.i], s.ballY[e.i], s.ballVX[e.i], s.ballVY[e.i]), std::tuple(e.x, e.y, e.vx, e.vy)) << "ball " << e.i;
    }
}

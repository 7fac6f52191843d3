#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "play/motion.h"

struct Ball { int i; float x, y, vx = 0.0f, vy = 0.0f; };

// Balls set on an empty table (every other ball pocketed), a number of steps,
// how many of them moved a ball, where the named balls are then, and how many
// the pockets took. Each row pins a rule.
struct Worked { const char* what; std::vector<Ball> table; int steps, moved; std::vector<Ball> after; int16_t potted = 0; };

const Worked kWorked[] = {
    // 40 * 0.975 rounds to exactly 39: balls 0 to 3 land on a limit and keep going; 4 and 5 go beyond one.
    {"a cushion", {{0, 249, 100, 40}, {1, 73, 200, -40}, {2, 150, 81, 0, -40}, {3, 100, 407, 0, 40}, {4, 287, 300, 2}, {5, 35, 360, -2}}, 1, 1,
     {{0, 288, 100, 39}, {1, 34, 200, -39}, {2, 150, 42, 0, -39}, {3, 100, 446, 0, 39}, {4, 288, 300, -1.90125f}, {5, 34, 360, 1.90125f}}},
    {"0.5 does not move, 0.51 moves once", {{0, 100, 200, 0, 0.51f}, {1, 200, 300, 0.5f}}, 2, 1, {{0, 100, 200.497253f, 0, 0.497249991f}, {1, 200, 300, 0.5f}}},
    {"a lone ball at 1 moves 28 steps", {{0, 100, 200, 1}}, 29, 28, {}},
    {"clamped, then captured", {{3, 40, 60, -10, -10}}, 1, 1, {{3, 0, 50.25f}}, 1},
    {"pockets", {{0, 40, 50}, {1, 40, 240}, {2, 280, 440}, {3, 288, 42}, {4, 40, 54}}, 1, 0, {}, 4},
    {"beside the pockets", {{0, 46, 50}, {1, 276, 42}, {2, 288, 54}, {3, 40, 434}, {4, 40, 228}, {5, 40, 252}, {6, 161, 42}, {7, 34, 100}}, 1, 0, {}, 0},
    {"the side pocket crossed in one step", {{0, 34, 220, 0, 36}}, 1, 1, {{0, 34, 255.100006f, 0, 35.0999985f}}},
    {"resting overlap", {{0, 100, 200}, {1, 110, 200}}, 1, 1, {{0, 100, 200, -3.5625f}, {1, 113.473434f, 200, 3.47343755f}}},
    {"head-on, step 1", {{0, 100, 200, 4}, {1, 115, 200}}, 1, 1, {{0, 103.900002f, 200, 0.475593269f}, {1, 118.148674f, 200, 3.14867163f}}},
    {"head-on, step 2", {{0, 100, 200, 4}, {1, 115, 200}}, 2, 2, {{0, 103.900002f, 200, -1.02983558f}, {1, 122.509735f, 200, 4.36106491f}}},
    {"16 apart, or 15 both ways", {{0, 100, 200, 0, 0.3f}, {1, 116, 200}, {2, 200, 300}, {3, 215, 315}}, 1, 0, {{0, 100, 200, 0, 0.3f}, {1, 116, 200}, {3, 215, 315}}},
    // Regression: a ball captured beside one pocketed earlier pushed it along y
    // out of sight, keeping the shot rolling for about 80 steps.
    {"pocketed balls are never pushed", {{2, 40, 46, 0.3f}, {5, 0, 52.9f}}, 2, 0, {{2, 0, 46}, {5, 0, 52.9f}}, 1},
};

TEST(MotionStep, ReproducesEveryWorkedValueExactly)
{
    for (const Worked& w : kWorked) {
        SCOPED_TRACE(w.what);
        GameState s;
        for (const Ball& b : w.table)
            std::tie(s.ballX[b.i], s.ballY[b.i], s.ballVX[b.i], s.ballVY[b.i]) = std::tie(b.x, b.y, b.vx, b.vy);
        int moved = 0;
        for (int step = 0; step < w.steps; ++step)
            moved += !MoveBalls(s);
        EXPECT_EQ(std::tuple(moved, s.pottedCount), std::tuple(w.moved, w.potted)) << "steps that moved a ball, and balls pocketed";
        for (const Ball& e : w.after)
            EXPECT_EQ(std::tuple(s.ballX[e.i], s.ballY[e.i], s.ballVX[e.i], s.ballVY[e.i]), std::tuple(e.x, e.y, e.vx, e.vy)) << "ball " << e.i;
    }
}

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "play/motion.h"
#include "play/rack.h"
#include "play/scoring.h"
#include "play/stroke.h"

// Every operator new of this test program is counted.
namespace {
std::atomic<long> gNews{0};
}

void* operator new(size_t size)
{
    gNews.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
// Seen inlined next to a new-expression, the free() looks mismatched to the
// compiler; it is not, since the operator new above hands out malloc's memory.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

// Table play runs every tick: aiming, the stroke, the motion step and the end
// of a shot must never touch the heap, through a whole game and into the next.
TEST(TablePlay, WholeGamesAllocateNothing)
{
    GameState s;
    s.currentPlayer = 1;
    RackBalls(s);
    int games = 0, shots = 0;
    const long before = gNews.load();
    while (games < 2 && shots < 2000) {
        // Aim from behind the cue ball at the next object ball still on the
        // table, press, and push the pointer through in steps of 20 pixels.
        int target = 1 + shots % 9;
        while (s.ballX[target] == 0.0f)
            target = 1 + target % 9;
        const float dx = s.ballX[0] - s.ballX[target], dy = s.ballY[0] - s.ballY[target];
        const float length = std::hypot(dx, dy);
        s.mouseX = s.ballX[0] + 80.0f * dx / length;
        s.mouseY = s.ballY[0] + 80.0f * dy / length;
        AimCue(s);
        s.shotPhase = phase::Stroking;
        for (int tick = 0; s.shotPhase == phase::Stroking && tick < 10; ++tick) {
            s.mouseX -= 20.0f * dx / length;
            s.mouseY -= 20.0f * dy / length;
            StrokeCue(s);
        }
        while (!MoveBalls(s)) {
        }
        EndShot(s);
        ++shots;
        if (s.stopRequested) {
            ++games;
            s.stopRequested = flag::False;
            s.score1 = s.score2 = 0;
            RackBalls(s);
        }
    }
    const long made = gNews.load() - before;
    EXPECT_EQ(made, 0) << "over " << shots << " shots";
    EXPECT_EQ(games, 2) << "the shots never decided two games";
}
